#include "gps/customwebpage.h"

#include <QMessageBox>

CustomWebPage::CustomWebPage(QObject* parent) : QWebEnginePage(parent) {}

CustomWebPage::~CustomWebPage() = default;

void CustomWebPage::javaScriptAlert(const QUrl&, const QString& msg)
{
    QMessageBox box(QMessageBox::Information, tr("Message"), msg, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
