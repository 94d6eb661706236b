// Reading lines of the spectral sensor boards.
#include <QTest>

#include "sensors/spectra_reading.h"

using Readings = QList<QPair<int, double>>;

class TestSpectraReading : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Readings>("readings");
        QTest::newRow("f1-500") << "F1:500" << Readings{{0, 0.5}};
        QTest::newRow("f18") << "F18:1000" << Readings{{17, 1.0}};
        QTest::newRow("as7341-nir") << "NIR:250" << Readings{{8, 0.25}};
        QTest::newRow("as7343-extra-channels")
            << "FXL:1\r\nFZ:2\r\nFY:3" << Readings{{9, 0.001}, {10, 0.002}, {11, 0.003}};
        QTest::newRow("f9-shares-nir-channel") << "F9:700" << Readings{{8, 0.7}};
        QTest::newRow("negative-passed-on") << "F2:-1500" << Readings{{1, -1.5}};
        QTest::newRow("lower-case-key") << "f1:500" << Readings{};
        QTest::newRow("blank-before-key") << " F1:500" << Readings{};
        QTest::newRow("fraction") << "F1:5.5" << Readings{};
        QTest::newRow("two-colons") << "F1:5:6" << Readings{};
        QTest::newRow("beyond-32-bits") << "F1:2147483648" << Readings{};
        QTest::newRow("unknown-key") << "F19:5" << Readings{};
        QTest::newRow("empty-value") << "F1:" << Readings{};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(Readings, readings);
        const QList<SpectraReading::Reading> got = SpectraReading::parse(text);
        QCOMPARE(got.size(), readings.size());
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got.at(i).channel, readings.at(i).first);
            QCOMPARE(got.at(i).value, readings.at(i).second);
        }
    }

    void typeCodes()
    {
        QCOMPARE(SpectraReading::typeCode("AS7341"), quint8(0));
        QCOMPARE(SpectraReading::typeCode("AS7265X"), quint8(2));
        QCOMPARE(SpectraReading::typeCode("as7341"), quint8(255));
    }
};

QTEST_GUILESS_MAIN(TestSpectraReading)
#include "tst_spectra_reading.moc"
