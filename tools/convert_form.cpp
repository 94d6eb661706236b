#include "tools/convert_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_ConvertForm::setupConvertForm()
{
    Convert = FormKit::makePage("Convert", gridLayout_40, "gridLayout_40");
    gridLayout_Convert = new QGridLayout();
    gridLayout_Convert->setObjectName("gridLayout_Convert");
    gridLayout_40->addLayout(gridLayout_Convert, 0, 0);
}

void Ui_ConvertForm::retranslateConvertForm() {}
