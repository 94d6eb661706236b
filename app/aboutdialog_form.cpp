#include "app/aboutdialog_form.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMetaObject>
#include <QPixmap>
#include <QTextDocument>

#include "app/shell_images.h"

void Ui_AboutDialog::setupUi(QDialog* AboutDialog)
{
    if (AboutDialog->objectName().isEmpty())
        AboutDialog->setObjectName("AboutDialog");
    AboutDialog->resize(489, 275);
    AboutDialog->setWindowIcon(QIcon(QString::fromLatin1(ShellImages::windowIcon)));
    AboutDialog->setStyleSheet(QString());

    groupBox = new QGroupBox(AboutDialog);
    groupBox->setObjectName("groupBox");
    groupBox->setGeometry(10, 0, 191, 221);
    gridLayout = new QGridLayout(groupBox);
    gridLayout->setObjectName("gridLayout");
    label = new QLabel(groupBox);
    label->setObjectName("label");
    label->setPixmap(QPixmap(QString::fromLatin1(ShellImages::logo)));
    gridLayout->addWidget(label, 0, 0);

    textBrowser = new QTextBrowser(AboutDialog);
    textBrowser->setObjectName("textBrowser");
    textBrowser->setGeometry(210, 20, 271, 201);
    // Paragraphs without the rich-text default gaps: the whole text fits the box unscrolled.
    textBrowser->document()->setDefaultStyleSheet(
        QStringLiteral("p { margin-top: 0px; margin-bottom: 0px; }"));

    closeBtn = new QPushButton(AboutDialog);
    closeBtn->setObjectName("closeBtn");
    closeBtn->setGeometry(400, 240, 75, 23);
    closeBtn->setMinimumHeight(23);
    closeBtn->setMaximumHeight(23);

    retranslateUi(AboutDialog);
    QMetaObject::connectSlotsByName(AboutDialog);
}

void Ui_AboutDialog::retranslateUi(QDialog* AboutDialog)
{
    AboutDialog->setWindowTitle(QCoreApplication::translate("AboutDialog", "About"));
    groupBox->setTitle(QString());
    label->setText(QString());
    textBrowser->setHtml(QCoreApplication::translate(
        "AboutDialog", "<html><body style=\"font-size:9pt;\">"
                       "<p align=\"center\"><span style=\"font-size:16pt; font-weight:700;\">PLAX</span></p>"
                       "<p align=\"center\"><br /></p>"
                       "<p align=\"center\">Version:3.4.4</p>"
                       "<p align=\"center\">A toolbox for testing electronic modules, by Quenlix.</p>"
                       "<p align=\"center\"><br /></p>"
                       "<p align=\"center\">Web: www.quenlix.com</p>"
                       "<p align=\"center\">Docs: docs.quenlix.com</p>"
                       "<p align=\"center\">Shop: shop.quenlix.com</p>"
                       "</body></html>"));
    closeBtn->setText(QCoreApplication::translate("AboutDialog", "Close"));
}
