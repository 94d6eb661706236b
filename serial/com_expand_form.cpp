#include "serial/com_expand_form.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSpacerItem>

namespace {

QString numbered(const char* base, int preset)
{
    const QString name = QString::fromLatin1(base);
    return preset == 1 ? name : name + QLatin1Char('_') + QString::number(preset);
}

// Grid rows of each preset in the dialog's layout: first row and row span.
constexpr int firstRow[Ui_COM_Expand::presetCount] = {0, 2, 5, 8, 10, 12, 14, 16, 18, 20, 22, 25};
constexpr int rowSpan[Ui_COM_Expand::presetCount] = {1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 2, 2};
constexpr int lineRow[Ui_COM_Expand::presetCount - 1] = {1, 4, 7, 9, 11, 13, 15, 17, 19, 21, 24};
constexpr const char* lineName[Ui_COM_Expand::presetCount - 1] = {"line",    "line_3",  "line_15", "line_17",
                                                                  "line_16", "line_18", "line_19", "line_14",
                                                                  "line_13", "line_10", "line_11"};

} // namespace

void Ui_COM_Expand::setupUi(QDialog* COM_Expand)
{
    if (COM_Expand->objectName().isEmpty())
        COM_Expand->setObjectName("COM_Expand");
    COM_Expand->resize(416, 376);
    gridLayout = new QGridLayout(COM_Expand);
    gridLayout->setObjectName("gridLayout");
    scrollArea = new QScrollArea(COM_Expand);
    scrollArea->setObjectName("scrollArea");
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents = new QWidget();
    scrollAreaWidgetContents->setObjectName("scrollAreaWidgetContents");
    scrollAreaWidgetContents->setGeometry(QRect(0, 0, 382, 519));
    gridLayout_2 = new QGridLayout(scrollAreaWidgetContents);
    gridLayout_2->setObjectName("gridLayout_2");
    for (int i = 0; i < presetCount; ++i) {
        const int preset = i + 1;
        labels[i] = new QLabel(scrollAreaWidgetContents);
        labels[i]->setObjectName(numbered("label", preset));
        gridLayout_2->addWidget(labels[i], firstRow[i], 0, rowSpan[i], 1);
        sendButtons[i] = new QPushButton(scrollAreaWidgetContents);
        sendButtons[i]->setObjectName(numbered("com_pushButton", preset));
        gridLayout_2->addWidget(sendButtons[i], firstRow[i], 1, rowSpan[i], 1);
        commands[i] = new QLineEdit(scrollAreaWidgetContents);
        commands[i]->setObjectName(numbered("com_qlineedit", preset));
        gridLayout_2->addWidget(commands[i], firstRow[i], 2, rowSpan[i], 1);
        renameButtons[i] = new QPushButton(scrollAreaWidgetContents);
        renameButtons[i]->setObjectName(numbered("com_set_pushButton", preset));
        renameButtons[i]->setMaximumSize(20, 20);
        gridLayout_2->addWidget(renameButtons[i], firstRow[i] + rowSpan[i] - 1, 3);
    }
    for (int i = 0; i < presetCount - 1; ++i) {
        lines[i] = new QFrame(scrollAreaWidgetContents);
        lines[i]->setObjectName(QString::fromLatin1(lineName[i]));
        lines[i]->setFrameShape(QFrame::HLine);
        lines[i]->setFrameShadow(QFrame::Sunken);
        gridLayout_2->addWidget(lines[i], lineRow[i], 0, 1, 4);
    }
    scrollArea->setWidget(scrollAreaWidgetContents);
    gridLayout->addWidget(scrollArea, 0, 0, 1, 2);
    gridLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 0);
    save_pushButton = new QPushButton(COM_Expand);
    save_pushButton->setObjectName("save_pushButton");
    gridLayout->addWidget(save_pushButton, 1, 1);
    retranslateUi(COM_Expand);
    QMetaObject::connectSlotsByName(COM_Expand);
}

void Ui_COM_Expand::retranslateUi(QDialog* COM_Expand)
{
    COM_Expand->setWindowTitle(QCoreApplication::translate("COM_Expand", "Dialog"));
    for (int i = 0; i < presetCount; ++i) {
        labels[i]->setText(QStringLiteral("%1.").arg(i + 1));
        sendButtons[i]->setText(QStringLiteral("command%1").arg(i + 1));
        renameButtons[i]->setText(QStringLiteral(".."));
    }
    save_pushButton->setText(QCoreApplication::translate("COM_Expand", "Save Config"));
}
