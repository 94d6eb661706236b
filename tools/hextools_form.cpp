#include "tools/hextools_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_HextoolsForm::setupHextoolsForm()
{
    hextools = FormKit::makePage("hextools", gridLayout_47, "gridLayout_47");
    gridLayout_hextools = new QGridLayout();
    gridLayout_hextools->setObjectName("gridLayout_hextools");
    gridLayout_47->addLayout(gridLayout_hextools, 0, 0);
}

void Ui_HextoolsForm::retranslateHextoolsForm() {}
