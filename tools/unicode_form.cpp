#include "tools/unicode_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_UnicodeForm::setupUnicodeForm()
{
    Unicode = FormKit::makePage("Unicode", gridLayout_13, "gridLayout_13");
}

void Ui_UnicodeForm::retranslateUnicodeForm() {}
