#pragma once

#include <QDialog>

// The About box: logo, program name, version, notice and addresses.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
