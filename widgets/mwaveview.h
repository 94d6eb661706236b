#pragma once

#include <QChartView>

// The oscilloscope's waveform view.
class MWaveView : public QChartView
{
    Q_OBJECT
public:
    explicit MWaveView(QWidget* parent = nullptr);
};
