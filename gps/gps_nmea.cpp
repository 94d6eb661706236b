// The GPS tab's NMEA path: sentences from the serial stream into the information labels.
#include "app/mainwindow.h"

#include <QLabel>

#include "app/mainwindow_form.h"
#include "gps/nmea.h"

QByteArray MainWindow::GPS_Analysis_Data_Process(QByteArray chunk)
{
    for (QByteArray& sentence : Nmea::takeSentences(GPS_rxBuffer, chunk))
        GPS_Analysis(&GPS_nmea, sentence.data());
    return QByteArray();
}

void MainWindow::GPS_Analysis(nmea_msg* msg, char* sentence)
{
    switch (Nmea::sentenceType(sentence)) {
    case Nmea::SentenceType::Rmc:
        NMEA_GxRMC_Data(msg, sentence);
        break;
    case Nmea::SentenceType::Gsv:
        if (GPS_signalOpen && !GPS_signalBusy)
            emit GPS_Signal_Data_Over(sentence);
        NMEA_GxGSV_Data(sentence);
        break;
    case Nmea::SentenceType::Gga:
        NMEA_GxGGA_Data(sentence);
        break;
    case Nmea::SentenceType::Gsa:
        NMEA_GxGSA_Data(sentence);
        break;
    case Nmea::SentenceType::Vtg:
        NMEA_GPVTG_Data(sentence);
        break;
    case Nmea::SentenceType::None:
        break;
    }
}

void MainWindow::NMEA_GxRMC_Data(nmea_msg* msg, char* sentence)
{
    const Nmea::Rmc rmc = Nmea::decodeRmc(sentence);
    if (rmc.hasTime) {
        *msg = rmc.time;
        ui->GPS_UTC->setText(QStringLiteral("%1:%2:%3").arg(msg->hour).arg(msg->minute).arg(msg->second));
    }
    if (!rmc.hasPosition) {
        // The receiver has lost its position: a step still waiting would map an old one.
        GPS_fixValid = 0;
        return;
    }
    if (ui->Dingweizhuangtai->text() != QLatin1String("Yes"))
        return;
    ui->Weidu->setText(rmc.latitude);
    ui->Weidufangxiang->setText(QString(QLatin1Char(rmc.latitudeHemisphere)));
    ui->Jingdu->setText(rmc.longitude);
    ui->Jingdufangxiang->setText(QString(QLatin1Char(rmc.longitudeHemisphere)));
    GPS_fixValid = 1;
}

void MainWindow::NMEA_GxGSV_Data(char* sentence)
{
    const QString inView = Nmea::numberText(Nmea::gsvInView(sentence));
    switch (Nmea::gsvTalker(sentence)) {
    case Nmea::GsvTalker::Gps:
        ui->GPSKejianweixing->setText(inView);
        break;
    case Nmea::GsvTalker::Beidou:
        ui->BDKejianweixing->setText(inView);
        break;
    case Nmea::GsvTalker::Other:
        break;
    }
}

void MainWindow::NMEA_GxGGA_Data(char* sentence)
{
    const Nmea::Gga gga = Nmea::decodeGga(sentence);
    ui->Dingweizhuangtai->setText(gga.fix ? QStringLiteral("Yes") : QStringLiteral("No"));
    if (!gga.fix)
        GPS_fixValid = 0;
    ui->Shiyongweixing->setText(Nmea::numberText(gga.satellitesUsed));
    ui->Haibagaodu->setText(Nmea::numberText(gga.altitude) + QStringLiteral(" m"));
}

void MainWindow::NMEA_GxGSA_Data(char* sentence)
{
    const Nmea::Gsa gsa = Nmea::decodeGsa(sentence);
    ui->Weizhiyinzi->setText(Nmea::numberText(gsa.pdop));
    ui->Shuipingyinzi->setText(Nmea::numberText(gsa.hdop));
    ui->Cuizhiyinzi->setText(Nmea::numberText(gsa.vdop));
}

void MainWindow::NMEA_GPVTG_Data(char* sentence)
{
    ui->Dimiansudu->setText(Nmea::numberText(Nmea::decodeVtgSpeed(sentence)) + QStringLiteral(" km/h"));
}

double MainWindow::GPS_calculation_value_double(char* sentence, int field)
{
    return Nmea::fieldValue(sentence, field);
}

char MainWindow::GPS_calculation_value_string(char* sentence, int field)
{
    return Nmea::fieldChar(sentence, field);
}
