#pragma once

#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>

// Form of the serial terminal's preset dialog: twelve rows of number, send
// button, command and rename button.
class Ui_COM_Expand
{
public:
    static constexpr int presetCount = 12;

    QGridLayout* gridLayout = nullptr;
    QScrollArea* scrollArea = nullptr;
    QWidget* scrollAreaWidgetContents = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QPushButton* save_pushButton = nullptr;
    // Row widgets by preset (index 0 is preset 1): label, com_pushButton(_N),
    // com_qlineedit(_N), com_set_pushButton(_N).
    QLabel* labels[presetCount] = {};
    QPushButton* sendButtons[presetCount] = {};
    QLineEdit* commands[presetCount] = {};
    QPushButton* renameButtons[presetCount] = {};
    QFrame* lines[presetCount - 1] = {};

    void setupUi(QDialog* COM_Expand);
    void retranslateUi(QDialog* COM_Expand);
};
