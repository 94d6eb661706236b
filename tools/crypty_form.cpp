#include "tools/crypty_form.h"

#include <QGridLayout>
#include <QWidget>

#include "app/formkit.h"

void Ui_CryptyForm::setupCryptyForm()
{
    Crypty = FormKit::makePage("Crypty", gridLayout_15, "gridLayout_15");
}

void Ui_CryptyForm::retranslateCryptyForm() {}
