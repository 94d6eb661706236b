#include "gps/gps_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "app/formkit.h"

namespace {

// Received text goes into the value labels: never read it as rich text.
QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = FormKit::make<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

void Ui_GpsForm::setupGpsForm()
{
    gps = FormKit::makePage("gps", gps_pageGrid, "gps_pageGrid");

    groupBox_10 = FormKit::make<QGroupBox>(gps, "groupBox_10");
    gps_serialGrid = new QGridLayout(groupBox_10);
    gps_serialGrid->setObjectName("gps_serialGrid");
    GPSportMode_01 = FormKit::make<QRadioButton>(groupBox_10, "GPSportMode_01");
    GPSportMode_02 = FormKit::make<QRadioButton>(groupBox_10, "GPSportMode_02");
    gps_serialGrid->addWidget(GPSportMode_01, 0, 0);
    gps_serialGrid->addWidget(GPSportMode_02, 0, 1);
    gpsFormPort = FormKit::makePortControls(groupBox_10, gps_serialGrid, 1, QStringLiteral("GPS"));
    label_23 = gpsFormPort.portLabel;
    label_23->setObjectName("label_23");
    label_24 = gpsFormPort.baudLabel;
    label_24->setObjectName("label_24");
    GPSportNameComboBox = gpsFormPort.portList;
    GPSbaudRateComboBox = gpsFormPort.baudList;
    GPSbaudRateComboBox->clear();
    for (int i = 0; i < FormKit::consoleBaudRates().size(); ++i)
        GPSbaudRateComboBox->addItem(QString());
    GPSbaudRateComboBox->setCurrentIndex(8);
    GPSopencompushButton = gpsFormPort.openButton;
    label_41 = FormKit::make<QLabel>(groupBox_10, "label_41");
    GPSTCPServerIPcomboBox = FormKit::make<QComboBox>(groupBox_10, "GPSTCPServerIPcomboBox");
    label_51 = FormKit::make<QLabel>(groupBox_10, "label_51");
    GPSTCPServerPortlineEdit = FormKit::make<QLineEdit>(groupBox_10, "GPSTCPServerPortlineEdit");
    GPSTCPopencompushButton = FormKit::make<QPushButton>(groupBox_10, "GPSTCPopencompushButton");
    gps_serialGrid->addWidget(label_41, 6, 0, 1, 2);
    gps_serialGrid->addWidget(GPSTCPServerIPcomboBox, 7, 0, 1, 2);
    gps_serialGrid->addWidget(label_51, 8, 0, 1, 2);
    gps_serialGrid->addWidget(GPSTCPServerPortlineEdit, 9, 0, 1, 2);
    gps_serialGrid->addWidget(GPSTCPopencompushButton, 10, 0, 1, 2);
    GPScleandatapushButton = FormKit::make<QPushButton>(groupBox_10, "GPScleandatapushButton");
    GPSSavecheckBox = FormKit::make<QCheckBox>(groupBox_10, "GPSSavecheckBox");
    GPS_on_off_checkBox = FormKit::make<QCheckBox>(groupBox_10, "GPS_on_off_checkBox");
    GPSpushButtonsearchdriving = FormKit::make<QPushButton>(groupBox_10, "GPSpushButtonsearchdriving");
    GPStrochoidpushButton = FormKit::make<QPushButton>(groupBox_10, "GPStrochoidpushButton");
    GPScalculate = FormKit::make<QPushButton>(groupBox_10, "GPScalculate");
    GPSsignal = FormKit::make<QPushButton>(groupBox_10, "GPSsignal");
    gps_serialGrid->addWidget(GPScleandatapushButton, 11, 0, 1, 2);
    gps_serialGrid->addWidget(GPSSavecheckBox, 12, 0, 1, 2);
    gps_serialGrid->addWidget(GPS_on_off_checkBox, 13, 0, 1, 2);
    gps_serialGrid->addWidget(GPSpushButtonsearchdriving, 14, 0, 1, 2);
    gps_serialGrid->addWidget(GPStrochoidpushButton, 15, 0, 1, 2);
    gps_serialGrid->addWidget(GPScalculate, 16, 0);
    gps_serialGrid->addWidget(GPSsignal, 16, 1);
    FormKit::keepAtTop(gps_serialGrid);

    groupBox_11 = FormKit::make<QGroupBox>(gps, "groupBox_11");
    gps_infoGrid = new QGridLayout(groupBox_11);
    gps_infoGrid->setObjectName("gps_infoGrid");
    struct Row
    {
        QLabel*& caption;
        const char* captionName;
        QLabel*& value;
        const char* valueName;
        QLabel** direction;
        const char* directionName;
    };
    const Row rows[] = {
        {gps_captionUtc, "gps_captionUtc", GPS_UTC, "GPS_UTC", nullptr, nullptr},
        {gps_captionLatitude, "gps_captionLatitude", Weidu, "Weidu", &Weidufangxiang, "Weidufangxiang"},
        {gps_captionLongitude, "gps_captionLongitude", Jingdu, "Jingdu", &Jingdufangxiang, "Jingdufangxiang"},
        {gps_captionState, "gps_captionState", Dingweizhuangtai, "Dingweizhuangtai", nullptr, nullptr},
        {label_58, "label_58", Shiyongweixing, "Shiyongweixing", nullptr, nullptr},
        {gps_captionAltitude, "gps_captionAltitude", Haibagaodu, "Haibagaodu", nullptr, nullptr},
        {gps_captionPdop, "gps_captionPdop", Weizhiyinzi, "Weizhiyinzi", nullptr, nullptr},
        {gps_captionHdop, "gps_captionHdop", Shuipingyinzi, "Shuipingyinzi", nullptr, nullptr},
        {gps_captionVdop, "gps_captionVdop", Cuizhiyinzi, "Cuizhiyinzi", nullptr, nullptr},
        {gps_captionSpeed, "gps_captionSpeed", Dimiansudu, "Dimiansudu", nullptr, nullptr},
        {label_37, "label_37", GPSKejianweixing, "GPSKejianweixing", nullptr, nullptr},
        {label_38, "label_38", BDKejianweixing, "BDKejianweixing", nullptr, nullptr},
    };
    int row = 0;
    for (const Row& r : rows) {
        r.caption = FormKit::make<QLabel>(groupBox_11, r.captionName);
        r.value = valueLabel(groupBox_11, r.valueName);
        gps_infoGrid->addWidget(r.caption, row, 0);
        gps_infoGrid->addWidget(r.value, row, 1);
        if (r.direction) {
            *r.direction = valueLabel(groupBox_11, r.directionName);
            gps_infoGrid->addWidget(*r.direction, row, 2);
        }
        ++row;
    }

    groupBox_12 = FormKit::make<QGroupBox>(gps, "groupBox_12");
    gps_messageGrid = new QGridLayout(groupBox_12);
    gps_messageGrid->setObjectName("gps_messageGrid");
    GPStextBrowser = FormKit::make<QPlainTextEdit>(groupBox_12, "GPStextBrowser");
    gps_messageGrid->addWidget(GPStextBrowser, 0, 0);

    gps_gridLayout = new QGridLayout();
    gps_gridLayout->setObjectName("gps_gridLayout");
    gps_pageGrid->addLayout(gps_gridLayout, 0, 0, 2, 1);
    gps_pageGrid->addWidget(groupBox_10, 0, 1, 2, 1);
    gps_pageGrid->addWidget(groupBox_11, 0, 2);
    gps_pageGrid->addWidget(groupBox_12, 1, 2);
    gps_pageGrid->setColumnStretch(0, 3);
    gps_pageGrid->setColumnStretch(2, 1);

    // Start texts; the decoders overwrite the values.
    for (QLabel* value : {GPS_UTC, Weidu, Jingdu, Dingweizhuangtai, Shiyongweixing, Haibagaodu, Weizhiyinzi,
                          Shuipingyinzi, Cuizhiyinzi, Dimiansudu, GPSKejianweixing, BDKejianweixing})
        value->setText(QStringLiteral("Null"));
    GPSTCPServerPortlineEdit->setText(QStringLiteral("1000"));
}

void Ui_GpsForm::retranslateGpsForm()
{
    groupBox_10->setTitle(FormKit::tr("Serial Setting"));
    GPSportMode_01->setText(FormKit::tr("COM"));
    GPSportMode_02->setText(FormKit::tr("TCP"));
    label_23->setText(FormKit::tr("Serial No."));
    label_24->setText(FormKit::tr("Baudrate"));
    FormKit::setItems(GPSbaudRateComboBox, FormKit::consoleBaudRates());
    GPSopencompushButton->setText(FormKit::tr("Open"));
    label_41->setText(FormKit::tr("Local IP:"));
    label_51->setText(FormKit::tr("Local Port:"));
    GPSTCPopencompushButton->setText(FormKit::tr("Start"));
    GPScleandatapushButton->setText(FormKit::tr("Clear Receive"));
    GPSSavecheckBox->setText(FormKit::tr("Save latitude and longitude"));
    GPS_on_off_checkBox->setText(FormKit::tr("Track the GPS moving map"));
    GPSpushButtonsearchdriving->setText(FormKit::tr("Navigation"));
    GPStrochoidpushButton->setText(FormKit::tr("Import  track"));
    GPScalculate->setText(FormKit::tr("Calculation"));
    GPSsignal->setText(FormKit::tr("Signal"));

    groupBox_11->setTitle(FormKit::tr("GPS information"));
    gps_captionUtc->setText(FormKit::tr("UTC:"));
    gps_captionLatitude->setText(FormKit::tr("Latitude:"));
    gps_captionLongitude->setText(FormKit::tr("Longitude:"));
    gps_captionState->setText(FormKit::tr("Location state:"));
    label_58->setText(FormKit::tr("Use satellite:"));
    gps_captionAltitude->setText(FormKit::tr("Altitude:"));
    gps_captionPdop->setText(FormKit::tr("Location factor:"));
    gps_captionHdop->setText(FormKit::tr("Level factor:"));
    gps_captionVdop->setText(FormKit::tr("Vertical factor:"));
    gps_captionSpeed->setText(FormKit::tr("Speed:"));
    label_37->setText(FormKit::tr("GPS satellite:"));
    label_38->setText(FormKit::tr("Beidou satellite:"));

    groupBox_12->setTitle(FormKit::tr("Serial Message"));
}
