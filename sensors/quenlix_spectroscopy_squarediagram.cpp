#include "sensors/quenlix_spectroscopy_squarediagram.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <iterator>

quenlix_spectroscopy_Squarediagram::quenlix_spectroscopy_Squarediagram(QWidget* parent) : QWidget(parent) {}

quenlix_spectroscopy_Squarediagram::~quenlix_spectroscopy_Squarediagram()
{
    // A view placed in a stack belongs to the stack.
    if (m_view && !m_view->parent())
        delete m_view;
}

void quenlix_spectroscopy_Squarediagram::setupPlot_AS7341()
{
    static const Channel channels[] = {
        {"F1", "#7030a0"}, {"F2", "#002060"}, {"F3", "#00b0f0"}, {"F4", "#00ffff"},  {"F5", "#00b050"},
        {"F6", "#ffff00"}, {"F7", "#ffc000"}, {"F8", "#ff0000"}, {"NIR", "#c00000"},
    };
    setupPlot(channels, int(std::size(channels)));
}

void quenlix_spectroscopy_Squarediagram::setupPlot_AS7343()
{
    static const Channel channels[] = {
        {"F1", "#7030a0"},  {"F2", "#002060"},  {"F3", "#00b0f0"}, {"F4", "#5e9dd6"},
        {"F5", "#92d050"},  {"F6", "#c55a11"},  {"F7", "#ff0000"}, {"F8", "#c00000"},
        {"NIR", "#800000"}, {"FXL", "#ff6600"}, {"FZ", "#0070c0"}, {"FY", "#00b050"},
    };
    setupPlot(channels, int(std::size(channels)));
}

void quenlix_spectroscopy_Squarediagram::setupPlot_AS7265X()
{
    static const Channel channels[] = {
        {"(410nm)", "#9600ff"}, {"(435nm)", "#5000ff"}, {"(460nm)", "#0032ff"}, {"(485nm)", "#00b4ff"},
        {"(510nm)", "#00ffb4"}, {"(535nm)", "#32ff32"}, {"(560nm)", "#b4ff00"}, {"(585nm)", "#ffff32"},
        {"(610nm)", "#ff9600"}, {"(645nm)", "#ff3232"}, {"(680nm)", "#ff1e1e"}, {"(705nm)", "#ff1414"},
        {"(730nm)", "#ff0a0a"}, {"(760nm)", "#800000"}, {"(810nm)", "#323232"}, {"(860nm)", "#646464"},
        {"(900nm)", "#8c8c8c"}, {"(940nm)", "#a0a0a0"},
    };
    setupPlot(channels, int(std::size(channels)));
}

void quenlix_spectroscopy_Squarediagram::setupPlot(const Channel* channels, int count)
{
    auto* series = new QBarSeries();
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    m_sets.clear();
    for (int i = 0; i < count; ++i) {
        auto* set = new QBarSet(QString());
        series->append(set);
        set->append(0.0);
        set->setColor(QColor(QLatin1String(channels[i].color)));
        set->setLabel(QString::fromLatin1(channels[i].label));
        m_sets.append(set);
    }

    m_chart = new QChart();
    m_chart->addSeries(series);
    series->setBarWidth(1.0);

    auto* axisX = new QCategoryAxis();
    m_chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis();
    axisY->setRange(0, 1);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);

    if (m_view && !m_view->parent())
        delete m_view;
    m_view = new QChartView(m_chart);
}

void quenlix_spectroscopy_Squarediagram::update_data_barset(unsigned char channel, double value)
{
    if (channel >= m_sets.size())
        return;
    m_sets.at(channel)->replace(0, value);
}
