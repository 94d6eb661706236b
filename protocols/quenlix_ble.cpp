#include "protocols/quenlix_ble.h"

quenlix_ble::quenlix_ble(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("quenlix_ble"));
}
