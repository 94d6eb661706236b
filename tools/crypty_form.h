#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

// Widgets of the "Crypty" page.
class Ui_CryptyForm
{
public:
    QWidget* Crypty = nullptr;
    QGridLayout* gridLayout_41 = nullptr;

    QGroupBox* groupBox_13 = nullptr;
    QGridLayout* gridLayout_29 = nullptr;
    QComboBox* DEScomboBox = nullptr;
    QLabel* label_63 = nullptr;
    QLabel* label_60 = nullptr;
    QLineEdit* DeslineEdit_KEY = nullptr;
    QLineEdit* DeslineEdit_KEYLEN = nullptr;
    QLabel* label_61 = nullptr;
    QLineEdit* DeslineEdit_Data = nullptr;
    QLineEdit* DeslineEdit_Datalen = nullptr;
    QLabel* label_62 = nullptr;
    QLineEdit* DeslineEdit_Result = nullptr;
    QPushButton* DespushButton_Encryption = nullptr;
    QPushButton* DespushButton_Decryption = nullptr;

    QGroupBox* groupBox_15 = nullptr;
    QGridLayout* gridLayout_30 = nullptr;
    QTextEdit* base64_source_textBrowser = nullptr;
    QTextEdit* base64_to_textBrowser = nullptr;
    QPushButton* base64_encode_pushButton = nullptr;
    QPushButton* base64_decode_pushButton = nullptr;

    void setupCryptyForm();
    void retranslateCryptyForm();
};
