#include "sensors/i2cdump_dialogs_form.h"

#include "app/formkit.h"

#include <QCoreApplication>
#include <QIcon>

void Ui_I2CDump_ReadREG::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("I2CDump_ReadREG"));
    dialog->resize(207, 114);
    dialog->setWindowIcon(QIcon(QStringLiteral(":/images/logo.ico")));
    gridLayout = new QGridLayout(dialog);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    label = FormKit::make<QLabel>(dialog, "label");
    reg_comboBox = FormKit::make<QComboBox>(dialog, "reg_comboBox");
    label_2 = FormKit::make<QLabel>(dialog, "label_2");
    length_comboBox = FormKit::make<QComboBox>(dialog, "length_comboBox");
    read_pushButton = FormKit::make<QPushButton>(dialog, "read_pushButton");
    I2CDump_ReadREGCancel = FormKit::make<QPushButton>(dialog, "I2CDump_ReadREGCancel");
    gridLayout->addWidget(label, 0, 0);
    gridLayout->addWidget(reg_comboBox, 0, 1);
    gridLayout->addWidget(label_2, 1, 0);
    gridLayout->addWidget(length_comboBox, 1, 1);
    gridLayout->addWidget(read_pushButton, 2, 0);
    gridLayout->addWidget(I2CDump_ReadREGCancel, 2, 1);
    // Captions keep their width and stand against their fields when the buttons below make
    // the column wider than a short caption; spare height collects below the buttons.
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gridLayout->setColumnStretch(1, 1);
    FormKit::keepAtTop(gridLayout);
    retranslateUi(dialog);
}

void Ui_I2CDump_ReadREG::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("I2C Read Reg"));
    label->setText(tr("register addr:"));
    label_2->setText(tr("length:"));
    read_pushButton->setText(tr("Read"));
    I2CDump_ReadREGCancel->setText(tr("close"));
}

void Ui_I2CDump_WriteREG::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("I2CDump_WriteREG"));
    dialog->setMinimumWidth(318);
    dialog->setWindowIcon(QIcon(QStringLiteral(":/images/logo.ico")));
    gridLayout = new QGridLayout(dialog);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    label = FormKit::make<QLabel>(dialog, "label");
    reg_comboBox = FormKit::make<QComboBox>(dialog, "reg_comboBox");
    label_2 = FormKit::make<QLabel>(dialog, "label_2");
    lineEdit = FormKit::make<QLineEdit>(dialog, "lineEdit");
    send_pushButton = FormKit::make<QPushButton>(dialog, "send_pushButton");
    I2CDump_WriteREGCancel = FormKit::make<QPushButton>(dialog, "I2CDump_WriteREGCancel");
    gridLayout->addWidget(label, 0, 0);
    gridLayout->addWidget(reg_comboBox, 0, 1);
    gridLayout->addWidget(label_2, 1, 0, 1, 2);
    gridLayout->addWidget(lineEdit, 2, 0, 1, 2);
    gridLayout->addWidget(send_pushButton, 3, 0);
    gridLayout->addWidget(I2CDump_WriteREGCancel, 3, 1);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // against its field, as above
    gridLayout->setColumnStretch(1, 1);
    FormKit::keepAtTop(gridLayout);
    retranslateUi(dialog);
    // As tall as its four rows: a fixed taller size would leave a blank band under the buttons.
    dialog->resize(339, dialog->sizeHint().height());
}

void Ui_I2CDump_WriteREG::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(tr("I2C Write Reg"));
    label->setText(tr("register addr:"));
    label_2->setText(tr("e.g.: 0x12,0x34,0xab"));
    send_pushButton->setText(tr("Send"));
    I2CDump_WriteREGCancel->setText(tr("close"));
}
