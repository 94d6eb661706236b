#include "app/aboutdialog.h"

#include <QEvent>

#include "app/aboutdialog_form.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui_AboutDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Without a parent this is a top-level window of its own; it must not keep
    // the program alive once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

void AboutDialog::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void AboutDialog::on_closeBtn_clicked()
{
    close();
}
