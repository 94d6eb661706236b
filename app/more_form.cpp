#include "app/more_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_MoreForm::setupMoreForm()
{
    tab_2 = FormKit::makePage("tab_2", gridLayout_26, "gridLayout_26");
    web_gridLayout = new QGridLayout();
    web_gridLayout->setSpacing(6);
    web_gridLayout->setObjectName("web_gridLayout");
    web_gridLayout->setContentsMargins(0, 0, -1, -1);
    gridLayout_26->addLayout(web_gridLayout, 0, 0, 1, 1);
}

void Ui_MoreForm::retranslateMoreForm() {}
