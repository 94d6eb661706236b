#include "sensors/quenlix_tof_surface.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <Q3DSurface>
#include <Q3DTheme>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QVBoxLayout>
#include <QValue3DAxis>
#include <cmath>

#include "sensors/glcheck.h"
#include "sensors/tof_scale.h"

class Ui_quenlix_tof_surface
{
public:
    QGridLayout* gridLayout = nullptr;
    QVBoxLayout* gridLayout_3dsurface = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_tof_surface"));
        form->resize(599, 448);
        gridLayout = new QGridLayout(form);
        gridLayout->setObjectName(QStringLiteral("gridLayout"));
        gridLayout_3dsurface = new QVBoxLayout();
        gridLayout_3dsurface->setObjectName(QStringLiteral("gridLayout_3dsurface"));
        gridLayout->addLayout(gridLayout_3dsurface, 0, 0);
        form->setWindowTitle(QStringLiteral("quenlix_tof_surface"));
    }
};

namespace {

constexpr float flatHeight = 3000.0f;

// A graph that can draw, or null: a Q3DSurface without a GL context crashes once given a series.
Q3DSurface* makeGraph()
{
    if (!GlCheck::openGlAvailable())
        return nullptr;
    auto* graph = new Q3DSurface();
    if (!graph->hasContext()) {
        delete graph;
        return nullptr;
    }
    return graph;
}

void hideTickLabels(Q3DSurface* graph)
{
    graph->activeTheme()->setLabelBackgroundEnabled(false);
    graph->axisX()->setLabelFormat(QString());
    graph->axisY()->setLabelFormat(QString());
    graph->axisZ()->setLabelFormat(QString());
}

} // namespace

quenlix_tof_surface::quenlix_tof_surface(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_tof_surface)
{
    ui->setupUi(this);

    series = new QSurface3DSeries();
    dataArray = flatArray(8, 8);
    series->dataProxy()->resetArray(dataArray);
    series->setDrawMode(QSurface3DSeries::DrawSurface);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setColorAt(0.0, Qt::darkGreen);
    gradient.setColorAt(0.5, Qt::yellow);
    gradient.setColorAt(0.8, Qt::red);
    gradient.setColorAt(1.0, Qt::darkRed);
    series->setBaseGradient(gradient);
    series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    series->setFlatShadingEnabled(false);
    series->setItemLabelVisible(false);
    series->setItemLabelFormat(QString());

    if (Q3DSurface* first = makeGraph()) {
        first->axisX()->setTitle(QStringLiteral("X轴"));
        first->axisY()->setTitle(QStringLiteral("Y轴"));
        first->axisZ()->setTitle(QStringLiteral("Z轴"));
        first->axisY()->setRange(0, 8000);
        first->axisX()->setRange(0, 7);
        first->axisZ()->setRange(0, 7);
        first->addSeries(series);
        hideTickLabels(first);
        setGraph(first);
    } else {
        setGraph(nullptr);
    }

    points = TofScale::transposedPoints(8);
    setAutoFillBackground(true);
}

quenlix_tof_surface::~quenlix_tof_surface()
{
    if (graph)
        graph->removeSeries(series);
    delete container; // takes the graph with it
    delete series;    // and the series its data array
    delete ui;
}

QSurfaceDataArray* quenlix_tof_surface::flatArray(int rows, int cols)
{
    auto* array = new QSurfaceDataArray;
    array->reserve(rows);
    for (int r = 0; r < rows; ++r) {
        auto* row = new QSurfaceDataRow(cols);
        for (int c = 0; c < cols; ++c)
            (*row)[c].setPosition(QVector3D(float(c), flatHeight, float(r)));
        array->append(row);
    }
    return array;
}

void quenlix_tof_surface::setGraph(Q3DSurface* newGraph)
{
    graph = newGraph;
    if (graph) {
        container = QWidget::createWindowContainer(graph);
        graph->scene()->activeCamera()->setCameraPosition(-90, 45);
        graph->scene()->activeCamera()->setZoomLevel(100);
    } else {
        auto* notice = new QLabel(tr("The 3D view needs OpenGL, which this display does not offer."));
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        container = notice;
    }
    ui->gridLayout_3dsurface->addWidget(container);
}

void quenlix_tof_surface::changeArrangement(int code)
{
    const TofScale::GridSize size = TofScale::arrangementSize(code);
    update_master_points(size.rows, size.cols);

    if (graph)
        graph->removeSeries(series);
    delete container;
    graph = nullptr;
    container = nullptr;

    Q3DSurface* next = makeGraph();
    if (next) {
        next->axisY()->setRange(0, 12000);
        next->axisX()->setRange(0, size.cols - 1);
        next->axisZ()->setRange(0, size.rows - 1);
        next->addSeries(series);
        hideTickLabels(next);
    }
    // The proxy frees the previous array and its rows.
    dataArray = flatArray(size.rows, size.cols);
    series->dataProxy()->resetArray(dataArray);
    setGraph(next);
}

void quenlix_tof_surface::update_master_points(int rows, int cols)
{
    points = TofScale::mirroredPoints(rows, cols);
}

void quenlix_tof_surface::updateMultipleDataPoints(const QList<QPoint>& at, const QList<double>& values)
{
    const qsizetype count = qMin(at.size(), values.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QPoint p = at.at(i);
        if (p.y() < 0 || p.y() >= dataArray->size())
            continue;
        QSurfaceDataRow* row = dataArray->at(p.y());
        if (p.x() < 0 || p.x() >= row->size())
            continue;
        if (std::isnan(values.at(i)))
            continue;
        const double height = qMin(double(yRange), values.at(i));
        (*row)[p.x()].setPosition(QVector3D(float(p.x()), float(height), float(p.y())));
    }
    publish();
}

void quenlix_tof_surface::updateDataPoint(int row, int column, double value)
{
    if (row < 0 || row >= dataArray->size())
        return;
    QSurfaceDataRow* items = dataArray->at(row);
    if (column < 0 || column >= items->size())
        return;
    (*items)[column].setPosition(QVector3D(float(column), float(value), float(row)));
    publish();
}

void quenlix_tof_surface::publish()
{
    // Handing the proxy its own array again only tells the graph that the data changed.
    series->dataProxy()->resetArray(dataArray);
}

void quenlix_tof_surface::setYRange(int range)
{
    yRange = range;
    if (graph && graph->axisY())
        graph->axisY()->setRange(0, range);
}
