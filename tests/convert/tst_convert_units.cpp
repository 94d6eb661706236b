#include <QtTest>

#include <cmath>

#include "tests/convert/cardconvert.h"
#include "tools/convert_units.h"

using namespace UnitConvert;

class tst_ConvertUnits : public QObject
{
    Q_OBJECT
private slots:
    void formatter_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        const int f15 = int(ResultFormat::Fixed15), f10 = int(ResultFormat::Fixed10),
                  g6 = int(ResultFormat::General6);
        QTest::newRow("integer-loses-point") << 1000.0 << f15 << "1000";
        QTest::newRow("trailing-zeros-trimmed") << 0.001 << f15 << "0.001";
        QTest::newRow("zero") << 0.0 << f10 << "0";
        QTest::newRow("negative") << -5.4415 << f10 << "-5.4415";
        QTest::newRow("double-noise-shown-at-15") << 0.3048 / 0.0254 << f15 << "12.000000000000002";
        QTest::newRow("typed-value-noise-at-15") << 123.456 << f15 << "123.456000000000003";
        QTest::newRow("typed-value-at-10") << 123.456 << f10 << "123.456";
        QTest::newRow("last-decimal-rounded") << 1.0 / 3.0 << f10 << "0.3333333333";
        QTest::newRow("picometre-fits-15") << 1e-12 << f15 << "0.000000000001";
        QTest::newRow("below-10-decimals-not-zero") << 1e-12 << f10 << "1e-12";
        QTest::newRow("below-15-decimals-not-zero") << 1.66053906660e-27 << f15 << "1.6605390666e-27";
        QTest::newRow("tiny-negative-not-minus-zero") << -1e-20 << f10 << "-1e-20";
        QTest::newRow("cut-to-one-digit-replaced") << 6e-11 << f10 << "6e-11";
        QTest::newRow("large-integer") << 1e18 << f10 << "1000000000000000000";
        QTest::newRow("general-six-digits") << 1048576.0 << g6 << "1.04858e+06";
        QTest::newRow("general-million") << 1e6 << g6 << "1e+06";
        QTest::newRow("general-small") << 1.0 / 8192 << g6 << "0.00012207";
        QTest::newRow("general-untrimmed-integer") << 8192.0 << g6 << "8192";
    }
    void formatter()
    {
        QFETCH(double, value);
        QFETCH(int, format);
        QFETCH(QString, expected);
        QCOMPARE(formatResult(value, ResultFormat(format)), expected);
    }

    void input_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("surrounding-space") << " 12 " << true << 12.0;
        QTest::newRow("sign") << "-2.5" << true << -2.5;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("comma-decimal") << "1,5" << false << 0.0;
        QTest::newRow("trailing-letters") << "12abc" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("nan-text") << "nan" << false << 0.0;
        QTest::newRow("inf-text") << "inf" << false << 0.0;
        QTest::newRow("beyond-double") << "1e400" << false << 0.0;
    }
    void input()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const std::optional<double> x = parseInput(text);
        QCOMPARE(bool(x), valid);
        if (valid)
            QCOMPARE(*x, value);
    }

    void unitKeys_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("key");
        QTest::newRow("plain") << "mm(millimeter)"
                               << "mm";
        QTest::newRow("no-parenthesis") << "kBit"
                                        << "kBit";
        QTest::newRow("two-groups-greedy") << "a(b)c(d)"
                                           << "a";
        QTest::newRow("missing-close") << "mm(millimeter"
                                       << "mm(millimeter";
        QTest::newRow("space-kept") << "UK fl oz(UK Fluid ounce)"
                                    << "UK fl oz";
        QTest::newRow("translated-long-name") << QString::fromUtf8("mm(毫米)") << "mm";
    }
    void unitKeys()
    {
        QFETCH(QString, label);
        QFETCH(QString, key);
        QCOMPARE(unitKey(label), key);
    }

    void lengths_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mm-mil-start-pair") << "1"
                                           << "mm(millimeter)"
                                           << "mil(mill)"
                                           << "39.370078740157481";
        QTest::newRow("km-m") << "1"
                              << "km(kilometer)"
                              << "m(meter)"
                              << "1000";
        QTest::newRow("m-km") << "1"
                              << "m(meter)"
                              << "km(kilometer)"
                              << "0.001";
        QTest::newRow("exponent-input") << "1e3"
                                        << "m(meter)"
                                        << "km(kilometer)"
                                        << "1";
        QTest::newRow("ls-m") << "1"
                              << "ls(light second)"
                              << "m(meter)"
                              << "299792458";
        QTest::newRow("m-ls") << "1"
                              << "m(meter)"
                              << "ls(light second)"
                              << "0.000000003335641";
        QTest::newRow("pm-m") << "1"
                              << "pm(picometer)"
                              << "m(meter)"
                              << "0.000000000001";
        QTest::newRow("ft-in-noise") << "1"
                                     << "ft(feet)"
                                     << "in(inch)"
                                     << "12.000000000000002";
        QTest::newRow("mile-exact") << "1"
                                    << "mi(mile)"
                                    << "m(meter)"
                                    << "1609.344000000000051";
        QTest::newRow("mile-in-yards") << "1"
                                       << "mi(mile)"
                                       << "yd(yard)"
                                       << "1760";
        QTest::newRow("au") << "1"
                            << "au(astronomical unit)"
                            << "m(meter)"
                            << "149597870700";
        QTest::newRow("light-year") << "1"
                                    << "ly(light year)"
                                    << "m(meter)"
                                    << "9460730472580800";
        QTest::newRow("parsec-double") << "1"
                                       << "pc(parsec)"
                                       << "m(meter)"
                                       << "30856775814913672";
        QTest::newRow("nautical-M-not-metre") << "1"
                                              << "M(nautical mile)"
                                              << "m(meter)"
                                              << "1852";
        QTest::newRow("micro-sign") << QString("1") << QString::fromUtf8("µm(micrometer)") << "mm(millimeter)"
                                    << "0.001";
        QTest::newRow("angstrom") << QString("1") << QString::fromUtf8("Å(angstrom)") << "nm(nanometer)"
                                  << "0.1";
        QTest::newRow("greek-mu-is-no-unit")
            << QString("1") << QString::fromUtf8("μm(micrometer)") << "m(meter)"
            << "<no unit>";
        QTest::newRow("lost-parenthesis-is-no-unit") << "1"
                                                     << "mm(millimeter"
                                                     << "m(meter)"
                                                     << "<no unit>";
        QTest::newRow("not-a-number") << "12abc"
                                      << "m(meter)"
                                      << "m(meter)"
                                      << "<not a number>";
    }
    void lengths()
    {
        QFETCH(QString, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QCOMPARE(convertText(Lengths, value, from, to), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ConvertUnits)
#include "tst_convert_units.moc"
