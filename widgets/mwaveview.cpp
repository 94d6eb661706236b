#include "widgets/mwaveview.h"

MWaveView::MWaveView(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("MWaveView"));
}
