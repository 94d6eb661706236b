#include "tools/quenlix_convert.h"

quenlix_convert::quenlix_convert(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("quenlix_convert"));
}
