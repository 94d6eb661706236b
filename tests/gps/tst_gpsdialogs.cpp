// The satellite dialog (worker thread, bar charts, sky plot, balloon) and the calculator.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPolarChart>
#include <QScatterSeries>
#include <QSignalSpy>

#include "gps/callout.h"
#include "gps/gpscalculate_form.h"
#include "gps/gpssignal.h"
#include "gps/gpssignal_form.h"
#include "tests/common/testhome.h"
#include "tests/gps/gpstabfixture.h"

using namespace GpsTabFixture;

namespace {

// Hands one GSV sentence to the tab as if it came from the receiver.
void receive(MainWindow& w, const QByteArray& body)
{
    QByteArray s = sealed(body);
    w.GPS_Analysis_Data_Process(s);
}

QList<double> bars(const MainWindow::GPS_SignalGroup& g)
{
    QList<double> values;
    for (int i = 0; i < g.categories.size(); ++i)
        values << g.set->at(i);
    return values;
}

} // namespace

class TestGpsDialogs : public QObject
{
    Q_OBJECT
private slots:
    void satelliteDialogThroughTheWorker()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        press(w.ui->GPSsignal);
        QVERIFY(w.GPS_signalOpen);
        QPointer<QDialog> first = w.GPS_signalDialog;
        QPointer<GPS_Signal> worker = w.GPS_signalThread;
        QCOMPARE(first->windowTitle(), QStringLiteral("GPS Signal"));
        press(w.ui->GPSsignal); // already open: nothing new
        QCOMPARE(w.GPS_signalDialog, first.data());
        QCOMPARE(w.GPS_signalThread, worker.data());

        // The worker decodes a sentence once the next one is behind it.
        receive(w, "GPGSV,3,1,12,12,30,120,40,15,60,45,35,25,10,300,22,07,20,90,33");
        receive(w, "GAGSV,1,1,01,12,50,200,30");
        auto& gps = w.GPS_signalGroups[1];
        QTRY_COMPARE(gps.categories, (QStringList{"GP12", "GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{40, 35, 22, 33}));
        QCOMPARE(gps.axis->categories(), gps.categories);
        // PRN 12 on the sky plot at azimuth 120, radius 90 - 30.
        QVERIFY(w.GPS_skyDrawn[12]);
        QCOMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{120, 60}}));
        QCOMPARE(w.GPS_skySeries[12]->color(), QColor("#209FDF"));

        // GP12 weakens below 5: its bar goes and the next moves up; its sky point goes.
        receive(w, "GPGSV,3,1,12,12,30,120,3");
        receive(w, "GAGSV,1,1,01,12,50,200,30");
        receive(w, "GLGSV,1,1,00"); // only pushes the one before it through
        QTRY_COMPARE(gps.categories, (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(gps), (QList<double>{35, 22, 33}));
        // The Galileo satellite with the same PRN drew the shared sky point again.
        QTRY_VERIFY(w.GPS_skyDrawn[12]);
        QCOMPARE(w.GPS_skySeries[12]->points(), (QList<QPointF>{{200, 40}}));
        QCOMPARE(w.GPS_signalGroups[4].categories, QStringList{"GA12"});

        // Hovering a point shows the balloon.
        emit w.GPS_skySeries[7]->hovered(QPointF(90, 70), true);
        QVERIFY(w.GPS_signalCallout);
        QCOMPARE(w.GPS_signalCallout->text(), QStringLiteral("PRN number: 7 \nElevation: 20 \nAzimuth: 90 "));
        QVERIFY(w.GPS_signalCallout->isVisible());
        emit w.GPS_skySeries[7]->hovered(QPointF(90, 70), false);
        QVERIFY(!w.GPS_signalCallout->isVisible());

        // Closing stops and releases the worker; the categories stay for next time.
        press(w.GPS_signalUi->GPSsignalCancel);
        QTRY_VERIFY(first.isNull());
        QVERIFY(!w.GPS_signalOpen);
        QVERIFY(worker.isNull());
        QCOMPARE(w.GPS_signalThread, nullptr);
        receive(w, "GPGSV,3,1,12,12,30,120,40"); // nobody listens now

        press(w.ui->GPSsignal);
        QVERIFY(w.GPS_signalOpen);
        QVERIFY(w.GPS_signalThread);
        QCOMPARE(w.GPS_signalGroups[1].axis->categories(), (QStringList{"GP15", "GP25", "GP7"}));
        QCOMPARE(bars(w.GPS_signalGroups[1]), (QList<double>{0, 0, 0}));
        QVERIFY(!w.GPS_skyDrawn[12]);
        w.GPS_signalDialog->close();
        QTRY_VERIFY(!w.GPS_signalOpen);
    }

    void resultWhileBusyIsDroppedAndReleased()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        press(w.ui->GPSsignal);
        QSignalSpy released(&w, &MainWindow::GPS_GUI_Wait_Data_Over);
        // While busy, the tab hands nothing over.
        w.GPS_signalBusy = true;
        for (int i = 0; i < 3; ++i)
            receive(w, "GPGSV,1,1,01,07,20,90,33");
        QTest::qWait(300);
        QCOMPARE(w.GPS_signalThread->queueSize(), 0);
        // A result arriving while busy is dropped, and the worker is released all the same.
        w.GPS_signalBusy = false;
        receive(w, "GPGSV,1,1,01,07,20,90,33");
        receive(w, "GPGSV,1,1,01,08,20,90,33");
        w.GPS_signalBusy = true;
        QTRY_COMPARE(released.size(), 1);
        QCOMPARE(released.at(0).at(0).toBool(), false);
        QVERIFY(!w.GPS_signalBusy);
        QVERIFY(!w.GPS_skyDrawn[7]);
        QVERIFY(w.GPS_signalGroups[1].categories.isEmpty());
    }

    void windowClosesWithDialogsOpen()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        QPointer<GPS_Signal> worker;
        {
            MainWindow w;
            press(w.ui->GPSsignal);
            press(w.ui->GPScalculate);
            worker = w.GPS_signalThread;
            receive(w, "GPGSV,1,1,01,07,20,90,33");
            receive(w, "GPGSV,1,1,01,08,20,90,33");
        }
        QVERIFY(worker.isNull());
    }

    void calculator()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        press(w.ui->GPScalculate);
        QVERIFY(w.GPS_calculateOpen);
        QPointer<QDialog> dialog = w.GPS_calculateDialog;
        Ui_GPScalculate* f = w.GPS_calculateUi;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("GPS calculation"));
        QCOMPARE(f->utm_comboBox->count(), 23);
        QCOMPARE(f->utm_comboBox->currentText(), QStringLiteral("WGS-84"));
        press(w.ui->GPScalculate);
        QCOMPARE(w.GPS_calculateDialog, dialog.data());

        f->YlatlineEdit->setText("0");
        f->YlonglineEdit->setText("0");
        f->MlatlineEdit->setText("0");
        f->MlonglineEdit->setText("1");
        press(f->GPSpushButtoncalculate);
        QCOMPARE(f->GPSresults->text(), QStringLiteral("111.319"));
        f->MlonglineEdit->setText("east"); // not a number: 0
        press(f->GPSpushButtoncalculate);
        QCOMPARE(f->GPSresults->text(), QStringLiteral("0"));

        f->latlineEdit->setText("0");
        f->longlineEdit->setText("3");
        press(f->lltoutm);
        QCOMPARE(f->utmElineEdit->text(), QStringLiteral("500000.00000000"));
        QCOMPARE(f->utmNlineEdit->text(), QStringLiteral("0.00000000"));
        QCOMPARE(f->utmZlineEdit->text(), QStringLiteral("31N"));

        f->utmElineEdit->setText("500000");
        f->utmNlineEdit->setText("5000000");
        f->utmZlineEdit->setText("31T");
        press(f->utmtoll);
        QCOMPARE(f->longlineEdit->text(), QStringLiteral("3.00000000"));
        QVERIFY(f->latlineEdit->text().startsWith("45.1"));
        f->utmZlineEdit->setText("31Tabc");
        QCOMPARE(f->utmZlineEdit->text(), QStringLiteral("31Tab")); // five characters at most

        f->utm_comboBox->setCurrentIndex(4); // Clarke 1866
        press(f->GPScalculateCancel);
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(!w.GPS_calculateOpen);
        QCOMPARE(w.GPS_calculateUi, nullptr);
        press(w.ui->GPScalculate);
        QCOMPARE(w.GPS_calculateUi->utm_comboBox->currentText(), QStringLiteral("WGS-84"));
    }
};

QTEST_MAIN(TestGpsDialogs)
#include "tst_gpsdialogs.moc"
