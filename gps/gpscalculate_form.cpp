#include "gps/gpscalculate_form.h"

#include "app/formkit.h"

#include <QCoreApplication>
#include <QIcon>

void Ui_GPScalculate::setupUi(QDialog* GPScalculate)
{
    GPScalculate->setObjectName("GPScalculate");
    GPScalculate->setMinimumSize(318, 254);
    GPScalculate->setWindowIcon(QIcon(QStringLiteral(":/images/logo.ico")));
    gps_calculateGrid = new QGridLayout(GPScalculate);
    gps_calculateGrid->setObjectName("gps_calculateGrid");

    groupBox = FormKit::make<QGroupBox>(GPScalculate, "groupBox");
    gps_distanceGrid = new QGridLayout(groupBox);
    gps_distanceGrid->setObjectName("gps_distanceGrid");
    label_43 = FormKit::make<QLabel>(groupBox, "label_43");
    YlonglineEdit = FormKit::make<QLineEdit>(groupBox, "YlonglineEdit");
    label_42 = FormKit::make<QLabel>(groupBox, "label_42");
    YlatlineEdit = FormKit::make<QLineEdit>(groupBox, "YlatlineEdit");
    label_47 = FormKit::make<QLabel>(groupBox, "label_47");
    MlonglineEdit = FormKit::make<QLineEdit>(groupBox, "MlonglineEdit");
    label_48 = FormKit::make<QLabel>(groupBox, "label_48");
    MlatlineEdit = FormKit::make<QLineEdit>(groupBox, "MlatlineEdit");
    label_49 = FormKit::make<QLabel>(groupBox, "label_49");
    GPSresults = FormKit::make<QLabel>(groupBox, "GPSresults");
    label_50 = FormKit::make<QLabel>(groupBox, "label_50");
    GPSpushButtoncalculate = FormKit::make<QPushButton>(groupBox, "GPSpushButtoncalculate");
    GPScalculateCancel = FormKit::make<QPushButton>(groupBox, "GPScalculateCancel");
    gps_distanceGrid->addWidget(label_43, 0, 0);
    gps_distanceGrid->addWidget(YlonglineEdit, 0, 1, 1, 2);
    gps_distanceGrid->addWidget(label_42, 1, 0);
    gps_distanceGrid->addWidget(YlatlineEdit, 1, 1, 1, 2);
    gps_distanceGrid->addWidget(label_47, 2, 0);
    gps_distanceGrid->addWidget(MlonglineEdit, 2, 1, 1, 2);
    gps_distanceGrid->addWidget(label_48, 3, 0);
    gps_distanceGrid->addWidget(MlatlineEdit, 3, 1, 1, 2);
    gps_distanceGrid->addWidget(label_49, 4, 0);
    gps_distanceGrid->addWidget(GPSresults, 4, 1);
    gps_distanceGrid->addWidget(label_50, 4, 2);
    gps_distanceGrid->addWidget(GPSpushButtoncalculate, 5, 0, 1, 2);
    gps_distanceGrid->addWidget(GPScalculateCancel, 5, 2);
    // The fields take the spare width, so the captions stay next to them.
    gps_distanceGrid->setColumnStretch(1, 1);

    groupBox_2 = FormKit::make<QGroupBox>(GPScalculate, "groupBox_2");
    gps_utmGrid = new QGridLayout(groupBox_2);
    gps_utmGrid->setObjectName("gps_utmGrid");
    utm_comboBox = FormKit::make<QComboBox>(groupBox_2, "utm_comboBox");
    label_44 = FormKit::make<QLabel>(groupBox_2, "label_44");
    longlineEdit = FormKit::make<QLineEdit>(groupBox_2, "longlineEdit");
    label_45 = FormKit::make<QLabel>(groupBox_2, "label_45");
    latlineEdit = FormKit::make<QLineEdit>(groupBox_2, "latlineEdit");
    label_51 = FormKit::make<QLabel>(groupBox_2, "label_51");
    utmNlineEdit = FormKit::make<QLineEdit>(groupBox_2, "utmNlineEdit");
    label_46 = FormKit::make<QLabel>(groupBox_2, "label_46");
    utmElineEdit = FormKit::make<QLineEdit>(groupBox_2, "utmElineEdit");
    label = FormKit::make<QLabel>(groupBox_2, "label");
    utmZlineEdit = FormKit::make<QLineEdit>(groupBox_2, "utmZlineEdit");
    utmZlineEdit->setMaxLength(5); // zone number and band letter
    label_2 = FormKit::make<QLabel>(groupBox_2, "label_2");
    lltoutm = FormKit::make<QPushButton>(groupBox_2, "lltoutm");
    utmtoll = FormKit::make<QPushButton>(groupBox_2, "utmtoll");
    gps_utmGrid->addWidget(utm_comboBox, 0, 0, 1, 5);
    gps_utmGrid->addWidget(label_44, 1, 0);
    gps_utmGrid->addWidget(longlineEdit, 1, 1);
    gps_utmGrid->addWidget(label_45, 2, 0);
    gps_utmGrid->addWidget(latlineEdit, 2, 1);
    gps_utmGrid->addWidget(lltoutm, 1, 2);
    gps_utmGrid->addWidget(utmtoll, 2, 2);
    gps_utmGrid->addWidget(label_51, 1, 3);
    gps_utmGrid->addWidget(utmNlineEdit, 1, 4);
    gps_utmGrid->addWidget(label_46, 2, 3);
    gps_utmGrid->addWidget(utmElineEdit, 2, 4);
    gps_utmGrid->addWidget(label, 3, 3);
    gps_utmGrid->addWidget(utmZlineEdit, 3, 4);
    gps_utmGrid->addWidget(label_2, 3, 0, 1, 2);

    gps_calculateGrid->addWidget(groupBox, 0, 0);
    gps_calculateGrid->addWidget(groupBox_2, 1, 0);
    retranslateUi(GPScalculate);
}

void Ui_GPScalculate::retranslateUi(QDialog* GPScalculate)
{
    GPScalculate->setWindowTitle(tr("GPS calculation"));
    groupBox->setTitle(tr("GPS calculation"));
    label_43->setText(tr("Original longitude:"));
    label_42->setText(tr("Original latitude:"));
    label_47->setText(tr("Target longitude:"));
    label_48->setText(tr("Target latitude:"));
    label_49->setText(tr("result:"));
    GPSresults->setText(QStringLiteral("0"));
    label_50->setText(tr("Km"));
    GPSpushButtoncalculate->setText(tr("Calculation"));
    GPScalculateCancel->setText(tr("close"));
    groupBox_2->setTitle(tr("UTM Conversions"));
    label_44->setText(tr("longitude:"));
    label_45->setText(tr("latitude:"));
    label_51->setText(tr("UTM Northing:"));
    label_46->setText(tr("UTM Easting:"));
    label->setText(tr("UTM Zone:"));
    label_2->setText(tr("UNIT:meters"));
    lltoutm->setText(QStringLiteral("->"));
    utmtoll->setText(QStringLiteral("<-"));
}
