#include "tools/crypty_form.h"

#include <QSpacerItem>

#include "app/formkit.h"

namespace {

QSpacerItem* hSpacer()
{
    return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

} // namespace

void Ui_CryptyForm::setupCryptyForm()
{
    Crypty = FormKit::makePage("Crypty", gridLayout_41, "gridLayout_41");

    groupBox_13 = FormKit::make<QGroupBox>(Crypty, "groupBox_13");
    gridLayout_29 = FormKit::groupGrid(groupBox_13, "gridLayout_29", true);
    DEScomboBox = FormKit::make<QComboBox>(groupBox_13, "DEScomboBox");
    for (int i = 0; i < 3; ++i)
        DEScomboBox->addItem(QString());
    gridLayout_29->addWidget(DEScomboBox, 0, 0, 1, 2);
    label_63 = FormKit::make<QLabel>(groupBox_13, "label_63");
    gridLayout_29->addWidget(label_63, 1, 9);
    label_60 = FormKit::make<QLabel>(groupBox_13, "label_60");
    gridLayout_29->addWidget(label_60, 2, 0);
    DeslineEdit_KEY = FormKit::make<QLineEdit>(groupBox_13, "DeslineEdit_KEY");
    gridLayout_29->addWidget(DeslineEdit_KEY, 2, 1, 1, 8);
    DeslineEdit_KEYLEN = FormKit::make<QLineEdit>(groupBox_13, "DeslineEdit_KEYLEN");
    gridLayout_29->addWidget(DeslineEdit_KEYLEN, 2, 9);
    label_61 = FormKit::make<QLabel>(groupBox_13, "label_61");
    gridLayout_29->addWidget(label_61, 3, 0);
    DeslineEdit_Data = FormKit::make<QLineEdit>(groupBox_13, "DeslineEdit_Data");
    gridLayout_29->addWidget(DeslineEdit_Data, 3, 1, 1, 8);
    DeslineEdit_Datalen = FormKit::make<QLineEdit>(groupBox_13, "DeslineEdit_Datalen");
    gridLayout_29->addWidget(DeslineEdit_Datalen, 3, 9);
    label_62 = FormKit::make<QLabel>(groupBox_13, "label_62");
    gridLayout_29->addWidget(label_62, 4, 0);
    DeslineEdit_Result = FormKit::make<QLineEdit>(groupBox_13, "DeslineEdit_Result");
    gridLayout_29->addWidget(DeslineEdit_Result, 4, 1, 1, 8);
    gridLayout_29->addItem(hSpacer(), 5, 1, 1, 2);
    gridLayout_29->addItem(hSpacer(), 5, 3, 1, 6);
    // The key, data and result fields take the spare width; the count column keeps its own.
    gridLayout_29->setColumnStretch(4, 1);
    DespushButton_Encryption = FormKit::make<QPushButton>(groupBox_13, "DespushButton_Encryption");
    gridLayout_29->addWidget(DespushButton_Encryption, 7, 1);
    DespushButton_Decryption = FormKit::make<QPushButton>(groupBox_13, "DespushButton_Decryption");
    gridLayout_29->addWidget(DespushButton_Decryption, 7, 8);
    gridLayout_41->addWidget(groupBox_13, 0, 0);

    groupBox_15 = FormKit::make<QGroupBox>(Crypty, "groupBox_15");
    gridLayout_30 = FormKit::groupGrid(groupBox_15, "gridLayout_30", true);
    base64_source_textBrowser = FormKit::make<QTextEdit>(groupBox_15, "base64_source_textBrowser");
    gridLayout_30->addWidget(base64_source_textBrowser, 0, 0, 1, 2);
    base64_to_textBrowser = FormKit::make<QTextEdit>(groupBox_15, "base64_to_textBrowser");
    gridLayout_30->addWidget(base64_to_textBrowser, 0, 2, 1, 2);
    gridLayout_30->addItem(hSpacer(), 1, 0);
    base64_encode_pushButton = FormKit::make<QPushButton>(groupBox_15, "base64_encode_pushButton");
    gridLayout_30->addWidget(base64_encode_pushButton, 1, 1);
    base64_decode_pushButton = FormKit::make<QPushButton>(groupBox_15, "base64_decode_pushButton");
    gridLayout_30->addWidget(base64_decode_pushButton, 1, 2);
    gridLayout_30->addItem(hSpacer(), 1, 3);
    gridLayout_41->addWidget(groupBox_15, 1, 0);
}

void Ui_CryptyForm::retranslateCryptyForm()
{
    groupBox_13->setTitle(FormKit::tr("DES - CBC"));
    FormKit::setItems(DEScomboBox, {FormKit::tr("DES"), FormKit::tr("2DES"), FormKit::tr("3DES")});
    label_63->setText(FormKit::tr("length"));
    label_60->setText(FormKit::tr("Key"));
    label_61->setText(FormKit::tr("Data"));
    label_62->setText(FormKit::tr("Result"));
    DespushButton_Encryption->setText(FormKit::tr("Encryption"));
    DespushButton_Decryption->setText(FormKit::tr("Decryption"));
    groupBox_15->setTitle(FormKit::tr("Base64"));
    base64_encode_pushButton->setText(FormKit::tr("Encode"));
    base64_decode_pushButton->setText(FormKit::tr("Decode"));
}
