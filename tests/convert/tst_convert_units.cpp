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
    const std::optional<double> r = convert(spec, *x, unitKey(fromLabel), unitKey(toLabel));
    return r ? formatResult(*r, spec.format) : QStringLiteral("<no unit>");
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
            "zero|Lengths|0|m|km|0",
            "typed-value-noise-at-15|Lengths|123.456|m|m|123.456000000000003",
            "ft-in-noise|Lengths|1|ft|in|12.000000000000002",
            "picometre-fits-15|Lengths|1|pm|m|0.000000000001",
            "parsec-double|Lengths|1|pc|m|30856775814913672",
            "below-15-decimals-not-zero|Mass|1|u|kg|1.6605390666e-27",
            "noise-at-15-decimals|Area|1|cm²|mm²|100.000000000000014",
            // 10 decimals; a text that misstates the value gives way to its digits.
            "typed-value-at-10|Time|123.456|s|s|123.456",
            "last-decimal-rounded|Time|1|m|d|30.4166666667",
            "below-10-decimals-not-zero|Time|1|as|s|1e-18",
            "tiny-negative-not-minus-zero|Time|-1|as|s|-1e-18",
            "cut-to-one-digit-replaced|Capacitance|60|pF|F|6e-11",
            "large-integer|Conductance|1|GS|nS|1000000000000000000",
            "nine-decimals|Resistance|1|Ω|GΩ|0.000000001",
            // 6 significant digits, untrimmed.
            "general-integer|DataStorage|1|kB|Bit|8192",
            "general-six-digits|DataStorage|1|Mbit|Bit|1.04858e+06",
            "general-exabyte|DataStorage|1|EB|Bit|9.22337e+18",
            "general-small|DataStorage|1|Bit|kB|0.00012207",
            // Typed text.
            "surrounding-space|Lengths| 12 |m|m|12",
            "sign|Lengths|-2.5|m|m|-2.5",
            "trailing-letters|Lengths|12abc|m|m|<not a number>",
            "nan-text|Lengths|nan|m|m|<not a number>",
            "inf-text|Lengths|inf|m|m|<not a number>",
            "beyond-double|Lengths|1e400|m|m|<not a number>",
            // Labels: the key is the text before the first parenthesis.
            "greek-mu-is-no-unit|Lengths|1|\u03BCm(micrometer)|m|<no unit>",
            "lost-parenthesis-is-no-unit|Lengths|1|mm(millimeter|m|<no unit>",
            "translated-long-name|Lengths|1|mm(\u6BEB\u7C73)|m|0.001",
            "two-groups-greedy|Lengths|1|m(b)c(d)|km|0.001",
            "space-kept|Volume|20|UK fl oz(Fluid ounce)|UK pt|1",
            // Units easily confused, and temperatures with their offsets.
            "kilogram-pound|Mass|1|kg|lb|2.204622621848776",
            "uk-gallon|Volume|1|UK gal|L|4.54609",
            "litre-cups|Volume|1|L|cup|4.2267528377",
            "uk-ounce-is-fluid|Volume|20|UK oz|UK pt|1",
            "kmh|Speed|1|km/h|m/s|0.2777777778",
            "mechanical-hp|Power|1|mhp|W|745.6998715823",
            "celsius-fahrenheit|Temperature|100|°C|°F|212",
            "body-temperature|Temperature|37|°C|°F|98.6",
            "minus-forty|Temperature|-40|°F|°C|-40",
            "absolute-zero|Temperature|0|K|°C|-273.15",
            "newton-scale|Temperature|1|°C|°N|0.33",
            "rankine-itself|Temperature|1.5|°R|°R|1.5",
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
    // the base in GNU units' terms, then "key=expression" pairs separated by "|".
    void factors_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("reference");
        const char* families[][3] = {
            {"Lengths", "m",
             "km=km|m=m|dm=dm|cm=cm|mm=mm|µm=micrometer|nm=nm|Å=angstrom|pm=pm|mi=mile|ft=ft|in=inch|mil=mil|"
             "M=nauticalmile|yd=yd|au=au|ly=lightyear|ls=lightsecond|pc=648000 au / pi"}, // IAU parsec
            {"Mass", "kg",
             "ng=ng|µg=microgram|mg=mg|cg=cg|g=g|kg=kg|t=tonne|lb=lb|st=stone|oz=oz|ozt=troyounce|"
             "dwt=pennyweight|ct=carat|u=u"},
            {"Area", "m^2",
             "km²=km^2|m²=m^2|cm²=cm^2|mm²=mm^2|in²=in^2|ft²=ft^2|yd²=yd^2|mi²=mi^2|ha=hectare|ac=acre|a="
             "are"},
            {"Volume", "m^3",
             "m³=m^3|dm³=dm^3|cm³=cm^3|mm³=mm^3|in³=in^3|ft³=ft^3|L=liter|mL=ml|cup=uscup|UK gal=brgallon|"
             "UK pt=brpint|UK fl oz=brfloz|UK oz=brfloz|US gal=usgallon|US pt=uspint|US fl oz=usfloz|"
             "US oz=usfloz|tbsp=ustablespoon"},
            {"Time", "s",
             "c=100 commonyear|a=commonyear|m=commonyear/12|w=week|d=day|h=hour|min=minute|s=s|ms=ms|"
             "μs=microsecond|ns=ns|fs=fs|as=attosecond"},
            {"Speed", "m/s",
             "m/s=m/s|m/min=m/min|m/h=m/hr|km/min=km/min|km/h=km/hr|ft/s=ft/s|ft/min=ft/min|ft/h=ft/hr|"
             "mi/min=mile/min|mi/h=mile/hr|knot=knot"},
            {"Force", "N", "N=N|dyn=dyne|lbf=lbf|kgf=kgf|pdl=poundal"},
            {"Torque", "N m", "N·m=N m|dyn·cm=dyne cm|lbf·ft=lbf ft|kgf·m=kgf m|pdl·m=poundal m"},
            {"Pressure", "Pa",
             "mPa=millipascal|Pa=Pa|hPa=hPa|kPa=kPa|GPa=GPa|bar=bar|pz=pieze|psi=psi|kpsi=1000 psi|atm=atm|"
             "at=technicalatmosphere|torr=torr|mmHg=mmHg|mHg=1000 mmHg|cmHg=10 mmHg|inHg=inHg|mmH2O=mmH2O|"
             "cmH2O=10 mmH2O|mH2O=1000 mmH2O|inH2O=inH2O"},
            {"Energy", "J",
             "J=J|kJ=kJ|MJ=MJ|W·h=W hr|kW·h=kW hr|erg=erg|kpm=kgf m|btu=btu|ft·lbf=ft lbf|cal=cal|eV=eV"},
            {"Power", "W",
             "W=W|kW=kW|MW=MW|GW=GW|BTU/h=btu/hr|BTU/min=btu/min|BTU/s=btu/s|ft·lbf/s=ft lbf/s|"
             "hp=metrichorsepower|mhp=hp|ehp=electrichorsepower|bhp=boilerhorsepower"},
            {"DataStorage", "bit",
             "Bit=bit|kBit=1024 bit|Mbit=1024^2 bit|GBit=1024^3 bit|TBit=1024^4 bit|PBit=1024^5 bit|"
             "EBit=1024^6 bit|B=byte|kB=1024 byte|MB=1024^2 byte|GB=1024^3 byte|TB=1024^4 byte|"
             "PB=1024^5 byte|EB=1024^6 byte"},
            {"Capacitance", "F", "F=F|μF=microfarad|nF=nF|pF=pF"},
            {"Resistance", "ohm", "Ω=ohm|kΩ=kiloohm|MΩ=megaohm|GΩ=gigaohm"},
            {"Conductance", "S", "nS=nS|µS=microsiemens|mS=mS|S=S|kS=kS|MS=megasiemens|GS=GS"},
            {"Inductance", "H", "nH=nH|µH=microhenry|mH=mH|H=H|kH=kH|MH=megahenry|GH=GH"},
            {"Current", "A", "A=A|kA=kA|MA=megaampere|GA=GA|mA=mA|µA=microampere|nA=nA|pA=pA"},
            {"Charge", "C",
             "C=C|nC=nC|µC=microcoulomb|mC=mC|kC=kC|MC=megacoulomb|GC=GC|Fr=franklin|nFr=nanofranklin|"
             "µFr=microfranklin|mFr=millifranklin|kFr=kilofranklin|MFr=megafranklin|GF=gigafranklin|e=e|"
             "Ah=A hr"},
            {"Magnetic", "T",
             "T=T|MT=megatesla|kT=kT|mT=mT|µT=microtesla|nT=nT|pT=pT|G=gauss|Wb/m²=Wb/m^2|Wb/cm²=Wb/cm^2|"
             "γ=1e-9 T|Mx/m²=maxwell/m^2|Mx/cm²=maxwell/cm^2"},
            {"Angle", "degree",
             "°=degree|radian=radian|arcminute=arcmin|arcsecond=arcsec|circle=circle|1/2circle=circle/2|"
             "1/4circle=circle/4|angular mil=circle/6400|¯=circle/32"},
        };
        for (const auto& f : families) {
            for (const QString& pair : QString::fromUtf8(f[2]).split('|')) {
                const QString key = pair.section('=', 0, 0);
                QTest::addRow("%s %s", f[0], qPrintable(key))
                    << f[0] << key
                    << QStringLiteral("(%1) / (%2)").arg(pair.section('=', 1), QLatin1String(f[1]));
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

    // Temperature scales: GNU units' functions where it has them, textbook formulas otherwise.
    void temperature_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("reference"); // a GNU units function, or "" for `celsius`
        QTest::addColumn<double>("celsius");
        for (double x : {-40.0, 0.0, 37.5, 212.0}) {
            QTest::addRow("fahrenheit %g", x) << "°F" << x << "tempF" << 0.0;
            QTest::addRow("kelvin %g", x + 300) << "K" << x + 300 << "tempK" << 0.0;
            QTest::addRow("rankine %g", x + 500) << "°R" << x + 500 << "tempR" << 0.0;
            QTest::addRow("reaumur %g", x) << "°Ré" << x << "tempreaumur" << 0.0;
        }
        // Delisle: C = 100 - De * 2/3; Rømer: C = (Rø - 7.5) * 40/21; Newton: C = N * 100/33.
        QTest::newRow("delisle boiling") << "°De" << 0.0 << "" << 100.0;
        QTest::newRow("delisle freezing") << "°De" << 150.0 << "" << 0.0;
        QTest::newRow("romer freezing") << "°Rø" << 7.5 << "" << 0.0;
        QTest::newRow("romer boiling") << "°Rø" << 60.0 << "" << 100.0;
        QTest::newRow("newton boiling") << "°N" << 33.0 << "" << 100.0;
    }
    void temperature()
    {
        QFETCH(QString, key);
        QFETCH(double, value);
        QFETCH(QString, reference);
        QFETCH(double, celsius);
        const CardSpec& spec = card(Temperature);
        if (!reference.isEmpty()) {
            if (!m_haveUnits)
                QSKIP("GNU units is not installed");
            const std::optional<double> c = gnuUnits(
                QStringLiteral("%1(%2)").arg(reference).arg(value, 0, 'g', 17), QStringLiteral("tempC"));
            QVERIFY(c);
            celsius = *c;
        }
        QVERIFY2(std::fabs(*toBase(spec, value, key) - celsius) <= 1e-9, "to degrees Celsius");
        QVERIFY2(std::fabs(*fromBase(spec, celsius, key) - value) <= 1e-9, "from degrees Celsius");
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

    // Full labels carry exact code points; a look-alike character is another unit.
    void codePoints_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("lookalike");
        addRows({
            "micro-sign|Mass|\u00B5g(microgram)|\u03BCg",
            "greek-mu|Time|\u03BCs(microsecond)|\u00B5s",
            "ohm-is-omega|Resistance|\u03A9(ohm)|\u2126",
            "middle-dot|Torque|N\u00B7m(Newton-meter)|N\u2219m",
            "superscript-two|Area|m\u00B2(square metre)|m2",
            "macron-point|Angle|\u00AF(point)|-",
            "reaumur-precomposed|Temperature|\u00B0R\u00E9(r\u00E9aumur)|\u00B0Re\u0301",
        });
    }
    void codePoints()
    {
        QFETCH(QString, category);
        QFETCH(QString, label);
        QFETCH(QString, lookalike);
        const Card c = cardNamed(category);
        QCOMPARE(labelOf(c, unitKey(label)), label);
        QVERIFY(!findUnit(card(c), lookalike));
        QCOMPARE(convertText(c, "1", label, lookalike), QStringLiteral("<no unit>"));
    }

private:
    bool m_haveUnits = false;
};

QTEST_GUILESS_MAIN(tst_ConvertUnits)
#include "tst_convert_units.moc"
