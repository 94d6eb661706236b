#include "tools/unicode_form.h"

#include <QSpacerItem>

#include "app/formkit.h"

void Ui_UnicodeForm::setupUnicodeForm()
{
    Unicode = FormKit::makePage("Unicode", gridLayout_23, "gridLayout_23");
    UnicodetextBrowser = new QTextBrowser(Unicode);
    UnicodetextBrowser->setObjectName("UnicodetextBrowser");
    gridLayout_23->addWidget(UnicodetextBrowser, 0, 0, 1, 7);
    UnicodetextEdit = new QTextEdit(Unicode);
    UnicodetextEdit->setObjectName("UnicodetextEdit");
    gridLayout_23->addWidget(UnicodetextEdit, 1, 0, 1, 7);

    const auto spacer = [](int width) {
        return new QSpacerItem(width, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    };
    gridLayout_23->addItem(spacer(116), 2, 0);
    StoUpushButton = new QPushButton(Unicode);
    StoUpushButton->setObjectName("StoUpushButton");
    gridLayout_23->addWidget(StoUpushButton, 2, 1);
    gridLayout_23->addItem(spacer(116), 2, 2);
    UtoSpushButton = new QPushButton(Unicode);
    UtoSpushButton->setObjectName("UtoSpushButton");
    gridLayout_23->addWidget(UtoSpushButton, 2, 3);
    gridLayout_23->addItem(spacer(40), 2, 4);
    UnicodecheckBox = new QCheckBox(Unicode);
    UnicodecheckBox->setObjectName("UnicodecheckBox");
    gridLayout_23->addWidget(UnicodecheckBox, 2, 5);
    gridLayout_23->addItem(spacer(116), 2, 6);
}

void Ui_UnicodeForm::retranslateUnicodeForm()
{
    StoUpushButton->setText(FormKit::tr("Chinese To Unicode"));
    UtoSpushButton->setText(FormKit::tr("Unicode To Chinese"));
    UnicodecheckBox->setText(FormKit::tr("Prefix \"\\U\""));
}
