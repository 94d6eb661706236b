#include "protocols/ble_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_BleForm::setupBleForm()
{
    ble = FormKit::makePage("ble", gridLayout_36, "gridLayout_36");
    gridLayout_35 = new QGridLayout();
    gridLayout_35->setObjectName("gridLayout_35");
    gridLayout_36->addLayout(gridLayout_35, 0, 0);
}

void Ui_BleForm::retranslateBleForm() {}
