// The "CIE" tab against a pseudo-terminal playing the colour sensor board.
#include <QPlainTextEdit>

#include "tests/common/consolerig.h"
#include "sensors/quenlix_cie_widget.h"
#include "sensors/quenlix_cieplot.h"

class TestCieConsole : public QObject
{
    Q_OBJECT
private slots:
    void readingsMarkThePlot()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        quenlix_cieplot* plot = w.CIE_widget->plot;
        QCOMPARE(plot->pointX, -1.0); // nothing marked before the first reading
        ConsoleRig::press(rig.ui->CIEopencompushButton);
        QVERIFY(w.Serial_isOpen);

        // One reading over three reads, the line end itself split between two of them.
        rig.write("CIEX:0.587309;CIEY:0.4");
        QTRY_VERIFY(!w.CIE_rxText.isEmpty());
        rig.write("24433;LUX:682.496000;CCT:1763.247393\r");
        QTRY_VERIFY(w.CIE_rxText.pending().endsWith(QLatin1Char('\r')));
        rig.write("\n");
        QTRY_COMPARE(plot->pointX, 0.587309);
        QCOMPARE(plot->pointY, 0.424433);
        QCOMPARE(plot->lux, 682.496);
        QCOMPARE(plot->cct, 1763.247393);

        // Two readings in one chunk: the second one is on screen.
        rig.write("ciex:0.1;ciey:0.2\r\nCIEX:0.3;CIEY:0.31;LUX:5;CCT:6500,\r\n");
        QTRY_COMPARE(plot->pointX, 0.3);
        QCOMPARE(plot->pointY, 0.31);
        QCOMPARE(plot->cct, 6500.0);

        // An unreadable y hides the point until the next reading.
        rig.write("CIEX:0.3;CIEY:?\r\n");
        QTRY_COMPARE(plot->pointY, -1.0);
        QCOMPARE(rig.ui->CIE_StrTextBrowser->toPlainText(), QString());
    }

    void openingForgetsAHalfReading()
    {
        ConsoleRig rig;
        MainWindow& w = *rig.w;
        ConsoleRig::press(rig.ui->CIEopencompushButton);
        rig.write("CIEX:0.7");
        QTRY_VERIFY(!w.CIE_rxText.isEmpty());
        ConsoleRig::press(rig.ui->CIEopencompushButton); // close
        ConsoleRig::press(rig.ui->CIEopencompushButton); // open again
        QVERIFY(w.Serial_isOpen);
        rig.write(";CIEY:0.2\r\n");
        QTRY_COMPARE(w.CIE_widget->plot->pointY, 0.2);
        QCOMPARE(w.CIE_widget->plot->pointX, 0.0);
    }
};

QTEST_MAIN(TestCieConsole)
#include "tst_cie_console.moc"
