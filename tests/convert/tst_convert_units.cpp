#include <QtTest>

#include <cmath>

#include "tools/convert_units.h"

using namespace UnitConvert;

namespace {

// What a card shows for `value` typed with these two unit labels.
QString convertText(Card c, const QString& value, const QString& fromLabel, const QString& toLabel)
{
    const CardSpec& spec = card(c);
    const std::optional<double> x = parseInput(value);
    if (!x)
        return QStringLiteral("<not a number>");
    double uncertainty = 0;
    const std::optional<double> r = convert(spec, *x, unitKey(fromLabel), unitKey(toLabel), &uncertainty);
    return r ? formatResult(*r, spec.format, uncertainty) : QStringLiteral("<no unit>");
}

// The label of the unit with this key on this card; the text itself when there is none.
QString labelOf(Card c, const QString& key)
{
    const UnitRow* row = findUnit(card(c), key);
    return row ? QString::fromUtf8(row->label) : key;
}

Card cardNamed(const QString& category)
{
    int c = 0;
    while (c < CardCount && QLatin1String(card(Card(c)).category) != category)
        ++c;
    return Card(c);
}

// One test row per "name|column|..." text; every column is a QString.
void addRows(std::initializer_list<const char*> rows)
{
    for (const char* row : rows) {
        const QStringList r = QString::fromUtf8(row).split('|');
        QTestData& data = QTest::newRow(qPrintable(r[0]));
        for (const QString& column : r.mid(1))
            data << column;
    }
}

bool closeTo(double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-12 * std::max(std::fabs(expected), 1e-300);
}

// GNU units as the reference: `units -t -d 15 EXPR BASE` prints the value of EXPR in BASE.
std::optional<double> gnuUnits(const QString& expression, const QString& base)
{
    QProcess units;
    units.start(QStringLiteral("units"), {"-t", "-d", "15", expression, base});
    if (!units.waitForFinished(10000) || units.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const double value = QString::fromUtf8(units.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

class tst_ConvertUnits : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_haveUnits = !QStandardPaths::findExecutable(QStringLiteral("units")).isEmpty(); }

    // Typed text and results as the fields show them, worked by hand from the unit
    // definitions. Units are given by key; a text that is no key is the label itself.
    void examples_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        addRows({
            // 15 decimals, trailing zeros trimmed; the digits beyond a double's show.
            "mm-mil-start-pair|Lengths|1|mm|mil|39.370078740157481",
            "trailing-zeros-trimmed|Lengths|1|m|km|0.001",
            "typed-value-noise-at-15|Lengths|123.456|m|m|123.456000000000003",
            "below-15-decimals-not-zero|Mass|1|u|kg|1.6605390666e-27",
            // 10 decimals; a text that misstates the value gives way to its digits.
            "typed-value-at-10|Time|123.456|s|s|123.456",
            "last-decimal-rounded|Time|1|m|d|30.4166666667",
            "tiny-negative-not-minus-zero|Time|-1|as|s|-1e-18",
            "cut-to-one-digit-replaced|Capacitance|60|pF|F|6e-11",
            // 6 significant digits, untrimmed.
            "general-integer|DataStorage|1|kB|Bit|8192",
            "general-six-digits|DataStorage|1|Mbit|Bit|1.04858e+06",
            // Typed text.
            "surrounding-space|Lengths| 12 |m|m|12",
            "trailing-letters|Lengths|12abc|m|m|<not a number>",
            "nan-text|Lengths|nan|m|m|<not a number>",
            "beyond-double|Lengths|1e400|m|m|<not a number>",
            // Labels: the key is the text before the first parenthesis.
            "lost-parenthesis-is-no-unit|Lengths|1|mm(millimeter|m|<no unit>",
            "translated-long-name|Lengths|1|mm(\u6BEB\u7C73)|m|0.001",
            "space-kept|Volume|20|UK fl oz(Fluid ounce)|UK pt|1",
            // Keys carry exact code points; a look-alike character (same after NFKC) is another unit.
            "micro-sign|Mass|1000|\u00B5g|mg|1",
            "mu-not-micro-sign|Mass|1|\u03BCg|g|<no unit>",
            // Temperatures with their offsets.
            "absolute-zero|Temperature|0|K|°C|-273.15",
            // Scales GNU units lacks: C = 100 - De * 2/3, (Rø - 7.5) * 40/21, N * 100/33.
            "delisle-boiling|Temperature|0|°De|°C|100",
            "romer-freezing|Temperature|7.5|°Rø|°C|0",
            "romer-boiling|Temperature|60|°Rø|°C|100",
            "newton-from-celsius|Temperature|1|°C|°N|0.33",
            // Zero within the rounding of its own computation is zero; tiny real results are not.
            "absolute-zero-in-rankine|Temperature|0|K|°R|0",
            "absolute-zero-celsius-in-rankine|Temperature|-273.15|°C|°R|0",
            "zero-rankine-round-trip|Temperature|0|°R|°R|0",
            "zero-delisle-freezing-to-celsius|Temperature|150|°De|°C|0",
            "one-hundredth-kelvin|Temperature|0.01|K|°R|0.018",
            "tiny-reaumur|Temperature|1e-12|°Ré|°C|1.25e-12",
            "tiny-but-real-attosecond|Time|1e-3|as|s|1e-21",
        });
    }
    void examples()
    {
        QFETCH(QString, category);
        QFETCH(QString, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        const Card c = cardNamed(category);
        QVERIFY(c != CardCount);
        QCOMPARE(convertText(c, value, labelOf(c, from), labelOf(c, to)), expected);
    }

    // Each unit's size in its card's base unit against GNU units, both ways. Per family:
    // the base in GNU units' terms, then "key=expression" pairs (or bare keys) separated by "|".
    void factors_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("reference");
        // clang-format off
        const char* families[][3] = {
            {"Lengths", "m",
             "km|m|dm|cm|mm|µm=micrometer|nm|Å=angstrom|pm|mi=mile|ft|in=inch|mil|M=nauticalmile|yd|au|"
             "ly=lightyear|ls=lightsecond|pc=648000 au / pi"}, // IAU parsec
            {"Mass", "kg",
             "ng|µg=microgram|mg|cg|g|kg|t=tonne|lb|st=stone|oz|ozt=troyounce|dwt=pennyweight|ct=carat|u"},
            {"Area", "m^2",
             "km²=km^2|m²=m^2|cm²=cm^2|mm²=mm^2|in²=in^2|ft²=ft^2|yd²=yd^2|mi²=mi^2|ha=hectare|ac=acre|"
             "a=are"},
            {"Volume", "m^3",
             "m³=m^3|dm³=dm^3|cm³=cm^3|mm³=mm^3|in³=in^3|ft³=ft^3|L=liter|mL=ml|cup=uscup|"
             "UK gal=brgallon|UK pt=brpint|UK fl oz=brfloz|UK oz=brfloz|US gal=usgallon|US pt=uspint|"
             "US fl oz=usfloz|US oz=usfloz|tbsp=ustablespoon"},
            {"Time", "s",
             "c=100 commonyear|a=commonyear|m=commonyear/12|w=week|d=day|h=hour|min=minute|s|ms|"
             "μs=microsecond|ns|fs|as=attosecond"},
            {"Speed", "m/s",
             "m/s|m/min|m/h=m/hr|km/min|km/h=km/hr|ft/s|ft/min|ft/h=ft/hr|mi/min=mile/min|mi/h=mile/hr|"
             "knot"},
            {"Force", "N", "N|dyn=dyne|lbf|kgf|pdl=poundal"},
            {"Torque", "N m", "N·m=N m|dyn·cm=dyne cm|lbf·ft=lbf ft|kgf·m=kgf m|pdl·m=poundal m"},
            {"Pressure", "Pa",
             "mPa=millipascal|Pa|hPa|kPa|GPa|bar|pz=pieze|psi|kpsi=1000 psi|atm|at=technicalatmosphere|"
             "torr|mmHg|mHg=1000 mmHg|cmHg=10 mmHg|inHg|mmH2O|cmH2O=10 mmH2O|mH2O=1000 mmH2O|inH2O"},
            {"Energy", "J", "J|kJ|MJ|W·h=W hr|kW·h=kW hr|erg|kpm=kgf m|btu|ft·lbf=ft lbf|cal|eV"},
            {"Power", "W",
             "W|kW|MW|GW|BTU/h=btu/hr|BTU/min=btu/min|BTU/s=btu/s|ft·lbf/s=ft lbf/s|hp=metrichorsepower|"
             "mhp=hp|ehp=electrichorsepower|bhp=boilerhorsepower"},
            {"DataStorage", "bit",
             "Bit=bit|kBit=1024 bit|Mbit=1024^2 bit|GBit=1024^3 bit|TBit=1024^4 bit|PBit=1024^5 bit|"
             "EBit=1024^6 bit|B=byte|kB=1024 byte|MB=1024^2 byte|GB=1024^3 byte|TB=1024^4 byte|"
             "PB=1024^5 byte|EB=1024^6 byte"},
            {"Capacitance", "F", "F|μF=microfarad|nF|pF"},
            {"Resistance", "ohm", "Ω=ohm|kΩ=kiloohm|MΩ=megaohm|GΩ=gigaohm"},
            {"Conductance", "S", "nS|µS=microsiemens|mS|S|kS|MS=megasiemens|GS"},
            {"Inductance", "H", "nH|µH=microhenry|mH|H|kH|MH=megahenry|GH"},
            {"Current", "A", "A|kA|MA=megaampere|GA|mA|µA=microampere|nA|pA"},
            {"Charge", "C",
             "C|nC|µC=microcoulomb|mC|kC|MC=megacoulomb|GC|Fr=franklin|nFr=nanofranklin|"
             "µFr=microfranklin|mFr=millifranklin|kFr=kilofranklin|MFr=megafranklin|GF=gigafranklin|e|"
             "Ah=A hr"},
            {"Magnetic", "T",
             "T|MT=megatesla|kT|mT|µT=microtesla|nT|pT|G=gauss|Wb/m²=Wb/m^2|Wb/cm²=Wb/cm^2|γ=1e-9 T|"
             "Mx/m²=maxwell/m^2|Mx/cm²=maxwell/cm^2"},
            {"Angle", "degree",
             "°=degree|radian|arcminute=arcmin|arcsecond=arcsec|circle|1/2circle=circle/2|"
             "1/4circle=circle/4|angular mil=circle/6400|¯=circle/32"},
        };
        // clang-format on
        for (const auto& f : families) {
            for (const QString& pair : QString::fromUtf8(f[2]).split('|')) {
                const QString key = pair.section('=', 0, 0); // a bare key: GNU units' name too
                QTest::addRow("%s %s", f[0], qPrintable(key))
                    << f[0] << key
                    << QStringLiteral("(%1) / (%2)")
                           .arg(pair.contains('=') ? pair.section('=', 1) : key, QLatin1String(f[1]));
            }
        }
    }
    void factors()
    {
        if (!m_haveUnits)
            QSKIP("GNU units is not installed");
        QFETCH(QString, category);
        QFETCH(QString, key);
        QFETCH(QString, reference);
        const CardSpec& spec = card(cardNamed(category));
        const std::optional<double> expected = gnuUnits(reference, QStringLiteral("1"));
        QVERIFY2(expected, qPrintable(reference));
        const std::optional<double> size = toBase(spec, 1.0, key);
        QVERIFY(size);
        QVERIFY2(closeTo(*size, *expected), qPrintable(QString::number(*size, 'g', 17)));
        QVERIFY2(closeTo(*fromBase(spec, *expected, key), 1.0), "the way back differs");
    }

    // Temperature scales against GNU units' functions (the others are in `examples`).
    void temperature_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("reference");
        for (double x : {-40.0, 0.0, 37.5, 212.0}) {
            QTest::addRow("fahrenheit %g", x) << "°F" << x << "tempF";
            QTest::addRow("kelvin %g", x + 300) << "K" << x + 300 << "tempK";
            QTest::addRow("rankine %g", x + 500) << "°R" << x + 500 << "tempR";
            QTest::addRow("reaumur %g", x) << "°Ré" << x << "tempreaumur";
        }
    }
    void temperature()
    {
        if (!m_haveUnits)
            QSKIP("GNU units is not installed");
        QFETCH(QString, key);
        QFETCH(double, value);
        QFETCH(QString, reference);
        const std::optional<double> celsius =
            gnuUnits(QStringLiteral("%1(%2)").arg(reference).arg(value, 0, 'g', 17), QStringLiteral("tempC"));
        QVERIFY(celsius);
        QVERIFY2(std::fabs(*toBase(card(Temperature), value, key) - *celsius) <= 1e-9, "to degrees Celsius");
        QVERIFY2(std::fabs(*fromBase(card(Temperature), *celsius, key) - value) <= 1e-9,
                 "from degrees Celsius");
    }

    // Near zero and far from it, a temperature shows only the digits its offsets leave
    // sound, checked against GNU units' own temperature functions.
    void temperatureDigits_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        addRows({
            "same-scale-tiny-rankine|0.000000001|°R|°R|0.000000001",
            "same-scale-tiny-kelvin|1e-12|K|K|1e-12",
            "same-scale-typed-value|1.50|°F|°F|1.5",
            "tiny-kelvin-in-rankine|1e-8|K|°R|1.8e-08",
            "just-above-zero-kelvin-in-celsius|273.150000001|K|°C|1e-09",
            "just-above-zero-rankine-in-celsius|491.67000001|°R|°C|5.556e-09",
            "tiny-celsius-in-kelvin|1e-9|°C|K|273.150000001",
            "tiny-reaumur-in-fahrenheit|1e-10|°Ré|°F|32.0000000002",
            "million-kelvin-in-rankine|1e6|K|°R|1800000",
            "body-temperature|37|°C|°F|98.6",
        });
    }
    void temperatureDigits()
    {
        QFETCH(QString, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QCOMPARE(convertText(Temperature, value, labelOf(Temperature, from), labelOf(Temperature, to)),
                 expected);
        if (!m_haveUnits)
            QSKIP("GNU units is not installed");
        const QHash<QString, QString> gnuName{
            {"°C", "tempC"}, {"°F", "tempF"}, {"K", "tempK"}, {"°R", "tempR"}, {"°Ré", "tempreaumur"}};
        const std::optional<double> reference =
            gnuUnits(QStringLiteral("%1(%2)").arg(gnuName.value(from), value), gnuName.value(to));
        QVERIFY(reference);
        // The shown text is GNU units' value to within half its last digit.
        const QString mantissa = expected.section('e', 0, 0);
        const int decimals = mantissa.contains('.') ? int(mantissa.size() - mantissa.indexOf('.') - 1) : 0;
        const int exponent = expected.contains('e') ? expected.section('e', 1).toInt() : 0;
        const double halfDigit = 0.5 * std::pow(10.0, exponent - decimals);
        QVERIFY2(std::fabs(expected.toDouble() - *reference) <= halfDigit * 1.0001,
                 qPrintable(QString::number(*reference, 'g', 17)));
    }

    // Every unit of every card: its key is unique, and 1 shows as 1 when converted to itself
    // (a label whose key misses its row would not).
    void everyUnit()
    {
        for (int c = Lengths; c < CardCount; ++c) {
            const CardSpec& spec = card(Card(c));
            QVERIFY(spec.defaultFrom < spec.rowCount && spec.defaultTo < spec.rowCount);
            QSet<QString> keys;
            for (int i = 0; i < spec.rowCount; ++i) {
                const QString label = QString::fromUtf8(spec.rows[i].label);
                const QString key = unitKey(label);
                QVERIFY2(!keys.contains(key), qPrintable(label));
                keys.insert(key);
                QVERIFY2(convertText(Card(c), "1", label, label) == "1", qPrintable(label));
            }
        }
    }

private:
    bool m_haveUnits = false;
};

QTEST_GUILESS_MAIN(tst_ConvertUnits)
#include "tst_convert_units.moc"
