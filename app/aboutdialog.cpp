#include "app/aboutdialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}
