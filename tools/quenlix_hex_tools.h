#pragma once

#include <QWidget>

// Two files side by side as hex tables.
class quenlix_hex_tools : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_hex_tools(QWidget* parent = nullptr);
};
