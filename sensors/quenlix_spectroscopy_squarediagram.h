#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

class QBarSet;
class QChart;
class QChartView;

// One bar chart of the spectrometer view: one bar per channel in the channel's colour on a fixed
// 0..1 axis. The object itself is never shown; its chart view is the page.
class quenlix_spectroscopy_Squarediagram : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_spectroscopy_Squarediagram(QWidget* parent = nullptr);
    ~quenlix_spectroscopy_Squarediagram() override;

    void setupPlot_AS7341();
    void setupPlot_AS7343();
    void setupPlot_AS7265X();

    // Sets the bar of one channel; channels the chart does not have are ignored.
    void update_data_barset(unsigned char channel, double value);

    QChartView* chartView() const { return m_view; }
    QChart* chart() const { return m_chart; }
    const QVector<QBarSet*>& barSets() const { return m_sets; }

private:
    struct Channel
    {
        const char* label;
        const char* color;
    };
    void setupPlot(const Channel* channels, int count);

    QPointer<QChartView> m_view; // the page; usually owned by the stack that shows it
    QChart* m_chart = nullptr;   // owned by the view
    QVector<QBarSet*> m_sets;    // owned by the chart's series
};
