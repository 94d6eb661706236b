#include "app/formkit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>

#include "app/styles.h"

namespace FormKit {

QWidget* makePage(const char* pageName, QGridLayout*& grid, const char* gridName)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(pageName));
    grid = new QGridLayout(page);
    grid->setSpacing(6);
    grid->setContentsMargins(11, 11, 11, 11);
    grid->setObjectName(QString::fromLatin1(gridName));
    return page;
}

QGridLayout* groupGrid(QGroupBox* box, const char* name, bool formMargins)
{
    auto* grid = new QGridLayout(box);
    grid->setObjectName(QString::fromLatin1(name));
    if (formMargins) {
        grid->setSpacing(6);
        grid->setContentsMargins(11, 11, 11, 11);
    }
    return grid;
}

void setItems(QComboBox* box, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, texts.at(i));
        else
            box->addItem(texts.at(i));
    }
}

QStringList baudRates()
{
    return {"2400",   "4800",   "9600",   "14400",  "19200",  "38400",   "57600",   "76800",   "115200",
            "128000", "230400", "256000", "460800", "512000", "921600 ", "1000000", "1152000", "2000000"};
}

QStringList consoleBaudRates()
{
    return {"2400",  "4800",  "9600",   "14400",  "19200", "38400",
            "57600", "76800", "115200", "128000", "256000"};
}

PortControls makePortControls(QWidget* parent, QGridLayout* grid, int row, const QString& prefix)
{
    PortControls c;
    c.portLabel = new QLabel(parent);
    c.portLabel->setObjectName(prefix + QStringLiteral("portLabel"));
    c.portList = new QComboBox(parent);
    c.portList->setObjectName(prefix + QStringLiteral("portNameComboBox"));
    c.baudLabel = new QLabel(parent);
    c.baudLabel->setObjectName(prefix + QStringLiteral("baudLabel"));
    c.baudList = new QComboBox(parent);
    c.baudList->setObjectName(prefix + QStringLiteral("baudRateComboBox"));
    for (int i = 0; i < baudRates().size(); ++i)
        c.baudList->addItem(QString());
    c.openButton = new QPushButton(parent);
    c.openButton->setObjectName(prefix + QStringLiteral("opencompushButton"));
    c.openButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    grid->addWidget(c.portLabel, row, 0, 1, 2);
    grid->addWidget(c.portList, row + 1, 0, 1, 2);
    grid->addWidget(c.baudLabel, row + 2, 0, 1, 2);
    grid->addWidget(c.baudList, row + 3, 0, 1, 2);
    grid->addWidget(c.openButton, row + 4, 0, 1, 2);
    return c;
}

void retranslatePortControls(const PortControls& c)
{
    c.portLabel->setText(tr("Serial No."));
    c.baudLabel->setText(tr("Baudrate"));
    setItems(c.baudList, baudRates());
    c.openButton->setText(tr("Open"));
}

void keepAtTop(QGridLayout* grid)
{
    grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0);
}

void narrowSideMargins(QGridLayout* grid)
{
    const QMargins m = grid->contentsMargins();
    grid->setContentsMargins(4, m.top(), 4, m.bottom());
    grid->setHorizontalSpacing(4);
}

QString tr(const char* text, const char* disambiguation)
{
    return QCoreApplication::translate("MainWindow", text, disambiguation);
}

} // namespace FormKit
