#pragma once

#include <QWidget>

class Ui_quenlix_cie_widget;
class quenlix_cieplot;

// The CIE tab's view: the chromaticity plot under a row for entering a point by hand (kept
// hidden).
class quenlix_cie_widget : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_cie_widget(QWidget* parent = nullptr);
    ~quenlix_cie_widget() override;

    Ui_quenlix_cie_widget* ui = nullptr;
    quenlix_cieplot* plot = nullptr;

public slots:
    void onPlotButtonClicked();
};
