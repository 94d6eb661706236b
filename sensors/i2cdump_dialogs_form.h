#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Form of the "I2C Read Reg" dialog.
class Ui_I2CDump_ReadREG
{
    Q_DECLARE_TR_FUNCTIONS(I2CDump_ReadREG)

public:
    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QComboBox* reg_comboBox = nullptr;
    QLabel* label_2 = nullptr;
    QComboBox* length_comboBox = nullptr;
    QPushButton* read_pushButton = nullptr;
    QPushButton* I2CDump_ReadREGCancel = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

// Form of the "I2C Write Reg" dialog.
class Ui_I2CDump_WriteREG
{
    Q_DECLARE_TR_FUNCTIONS(I2CDump_WriteREG)

public:
    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QComboBox* reg_comboBox = nullptr;
    QLabel* label_2 = nullptr;
    QLineEdit* lineEdit = nullptr;
    QPushButton* send_pushButton = nullptr;
    QPushButton* I2CDump_WriteREGCancel = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};
