#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QScrollArea>
#include <QTextBrowser>
#include <QWidget>

// Form of the Help dialog: a scrollable card of the line formats the device
// consoles expect, each with an example line, and an OK button.
class Ui_Help
{
    Q_DECLARE_TR_FUNCTIONS(Help)

public:
    QGridLayout* gridLayout_5 = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* scrollAreaWidgetContents_2 = nullptr;
    QGridLayout* gridLayout_7 = nullptr;
    QPushButton* helpdialogCancel = nullptr;

    // The card's widgets in reading order.
    QList<QGroupBox*> groups;
    QList<QLabel*> headingLabels;
    QList<QLabel*> sensorLabels;
    QList<QLabel*> formatLabels;
    QList<QLabel*> exampleCaptions;
    QList<QTextBrowser*> exampleBoxes;

    void setupUi(QDialog* Help);
    void retranslateUi(QDialog* Help);
};
