#include <QtTest>

#include <cmath>

#include "tests/convert/cardconvert.h"
#include "tests/convert/gnuunits.h"

using namespace UnitConvert;

namespace {

// The label of the unit with this key on this card ("" when there is none).
QString labelOf(Card c, const QString& key)
{
    const UnitRow* row = findUnit(card(c), key);
    return row ? QString::fromUtf8(row->label) : QString();
}

Card cardNamed(const QString& category)
{
    for (int c = 0; c < CardCount; ++c) {
        if (QLatin1String(card(Card(c)).category) == category)
            return Card(c);
    }
    return CardCount;
}

bool closeTo(double actual, double expected, double relative = 1e-12)
{
    return std::fabs(actual - expected) <= relative * std::max(std::fabs(expected), 1e-300);
}

} // namespace

class tst_ConvertCards : public QObject
{
    Q_OBJECT
private slots:
    // Worked examples as the result field shows them (hand-computed from the definitions).
    void examples_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        // name|card|typed|from|to|shown
        const char* rows[] = {
            "carat|Mass|1|ct|g|0.2",
            "kilogram-pound|Mass|1|kg|lb|2.204622621848776",
            "atomic-mass-not-zero|Mass|1|u|kg|1.6605390666e-27",
            "hectare|Area|1|ha|a|100",
            "square-mile|Area|1|mi²|km²|2.589988110336",
            "noise-at-15-decimals|Area|1|cm²|mm²|100.000000000000014",
            "litre|Volume|1|L|m³|0.001",
            "uk-gallon|Volume|1|UK gal|L|4.54609",
            "us-gallon-pints|Volume|1|US gal|US pt|8",
            "cubic-inch|Volume|1|in³|mL|16.387064",
            "litre-cups|Volume|1|L|cup|4.2267528377",
            "uk-ounce-is-fluid|Volume|20|UK oz|UK pt|1",
            "us-ounce-is-fluid|Volume|16|US oz|US pt|1",
            "year|Time|1|a|d|365",
            "month|Time|1|m|d|30.4166666667",
            "century|Time|1|c|a|100",
            "hour|Time|1|h|ms|3600000",
            "attosecond-not-zero|Time|1|as|s|1e-18",
            "kmh|Speed|1|km/h|m/s|0.2777777778",
            "knot|Speed|1|knot|km/h|1.852",
            "mile-per-hour|Speed|1|mi/h|km/h|1.609344",
            "foot-per-minute|Speed|1|ft/min|m/s|0.00508",
            "km-per-minute|Speed|1|km/min|km/h|60",
            "celsius-fahrenheit|Temperature|100|°C|°F|212",
            "body-temperature|Temperature|37|°C|°F|98.6",
            "minus-forty|Temperature|-40|°F|°C|-40",
            "absolute-zero|Temperature|0|K|°C|-273.15",
            "rankine-kelvin|Temperature|491.67|°R|K|273.15",
            "delisle-freezing|Temperature|0|°C|°De|150",
            "delisle-boiling|Temperature|100|°C|°De|0",
            "romer|Temperature|100|°C|°Rø|60",
            "reaumur|Temperature|80|°Ré|°C|100",
            "newton-scale|Temperature|1|°C|°N|0.33",
            "rankine-itself|Temperature|1.5|°R|°R|1.5",
            "dyne|Force|1|N|dyn|100000",
            "kgf-lbf|Force|1|kgf|lbf|2.2046226218",
            "dyne-cm|Torque|1|N·m|dyn·cm|10000000",
            "pound-foot|Torque|1|N·m|lbf·ft|0.7375621493",
            "atmosphere|Pressure|1|atm|Pa|101325",
            "atmosphere-torr|Pressure|1|atm|torr|760",
            "mmhg-torr|Pressure|1|mmHg|torr|1.0000001425",
            "kpsi|Pressure|1|kpsi|psi|1000",
            "gigapascal|Pressure|1|GPa|mPa|1000000000000",
            "millipascal-not-zero|Pressure|1|mPa|GPa|1e-12",
            "cmhg|Pressure|1|cmHg|mmHg|10",
            "water-column|Pressure|1|mH2O|mmH2O|1000",
            "kwh-mj|Energy|1|kW·h|MJ|3.6",
            "erg|Energy|1|erg|J|0.0000001",
            "calorie|Energy|1|kJ|cal|239.0057361377",
            "electron-volt-not-zero|Energy|1|eV|J|1.602176634e-19",
            "mechanical-hp|Power|1|mhp|W|745.6998715823",
            "metric-hp|Power|1|hp|W|735.49875",
            "boiler-hp|Power|1|bhp|kW|9.8095",
            "btu-per-hour|Power|1|kW|BTU/h|3412.1416331279",
            "kilobyte|DataStorage|1|kB|Bit|8192",
            "megabit-kilobytes|DataStorage|1|Mbit|kB|128",
            "six-digits|DataStorage|1|Mbit|Bit|1.04858e+06",
            "exabyte|DataStorage|1|EB|Bit|9.22337e+18",
            "million-typed|DataStorage|1000000|Bit|Bit|1e+06",
            "bit-kilobyte|DataStorage|1|Bit|kB|0.00012207",
            "microfarad|Capacitance|1|μF|nF|1000",
            "picofarad-not-zero|Capacitance|1|pF|F|1e-12",
            "kiloohm|Resistance|0.25|kΩ|Ω|250",
            "gigaohm|Resistance|1|Ω|GΩ|0.000000001",
            "gigasiemens|Conductance|1|GS|nS|1000000000000000000",
            "millihenry|Inductance|1|mH|µH|1000",
            "kiloampere|Current|1|kA|mA|1000000",
            "ampere-hour|Charge|1|Ah|C|3600",
            "elementary-charge-itself|Charge|1|e|e|1",
            "franklin-prefixes|Charge|1|MFr|kFr|1000",
            "gauss|Magnetic|1|G|T|0.0001",
            "gamma|Magnetic|1|γ|nT|1",
            "maxwell|Magnetic|1|Mx/cm²|G|1",
            "radian|Angle|1|radian|°|57.2957795131",
            "half-turn|Angle|180|°|radian|3.1415926536",
            "angular-mil|Angle|1|angular mil|°|0.05625",
            "point|Angle|1|¯|°|11.25",
            "arcsecond|Angle|1|arcsecond|°|0.0002777778",
            "quarter-circles|Angle|1|1/2circle|1/4circle|2",
        };
        for (const char* row : rows) {
            const QStringList r = QString::fromUtf8(row).split('|');
            QTest::newRow(qPrintable(r[0])) << r[1] << r[2] << r[3] << r[4] << r[5];
        }
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
        const QString fromLabel = labelOf(c, from), toLabel = labelOf(c, to);
        QVERIFY2(!fromLabel.isEmpty() && !toLabel.isEmpty(), "unit missing from the table");
        QCOMPARE(convertText(c, value, fromLabel, toLabel), expected);
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
        if (!gnuUnitsAvailable())
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
            if (!gnuUnitsAvailable())
                QSKIP("GNU units is not installed");
            const std::optional<double> c = gnuUnits(
                QStringLiteral("%1(%2)").arg(reference).arg(value, 0, 'g', 17), QStringLiteral("tempC"));
            QVERIFY(c);
            celsius = *c;
        }
        QVERIFY2(std::fabs(*toBase(spec, value, key) - celsius) <= 1e-9, "to degrees Celsius");
        QVERIFY2(std::fabs(*fromBase(spec, celsius, key) - value) <= 1e-9, "from degrees Celsius");
    }

    // Every unit of every card: its key is unique, 1 shows as 1 when converted to itself
    // (a label whose key misses its row would not), and values come back through the base.
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
                for (double x : {1.0, -2.5, 1234.5678}) {
                    const double back = *fromBase(spec, *toBase(spec, x, key), key);
                    QVERIFY2(closeTo(back, x), qPrintable(spec.rows[i].label));
                }
            }
        }
    }

    // Labels carry exact code points; a look-alike character is another unit.
    void codePoints_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("lookalike");
        const QChar micro(0x00B5), mu(0x03BC);
        QTest::newRow("mass micro sign") << "Mass" << QString(micro) + "g(microgram)" << QString(mu) + "g";
        QTest::newRow("time greek mu") << "Time" << QString(mu) + "s(microsecond)" << QString(micro) + "s";
        QTest::newRow("capacitance greek mu")
            << "Capacitance" << QString(mu) + "F(microfarad)" << QString(micro) + "F";
        QTest::newRow("conductance micro sign")
            << "Conductance" << QString(micro) + "S(microsiemens)" << QString(mu) + "S";
        QTest::newRow("inductance micro sign")
            << "Inductance" << QString(micro) + "H(microhenry)" << QString(mu) + "H";
        QTest::newRow("current micro sign")
            << "Current" << QString(micro) + "A(microampere)" << QString(mu) + "A";
        QTest::newRow("charge micro sign")
            << "Charge" << QString(micro) + "C(microcoulomb)" << QString(mu) + "C";
        QTest::newRow("magnetic micro sign")
            << "Magnetic" << QString(micro) + "T(microtesla)" << QString(mu) + "T";
        QTest::newRow("ohm is omega")
            << "Resistance" << QString(QChar(0x03A9)) + "(ohm)" << QString(QChar(0x2126));
        QTest::newRow("middle dot") << "Torque"
                                    << "N" + QString(QChar(0x00B7)) + "m(Newton-meter)"
                                    << "N" + QString(QChar(0x2219)) + "m";
        QTest::newRow("degree sign") << "Angle" << QString(QChar(0x00B0)) + "(degree)"
                                     << QString(QChar(0x00BA));
        QTest::newRow("superscript two") << "Area"
                                         << "m" + QString(QChar(0x00B2)) + "(square metre)"
                                         << "m2";
        QTest::newRow("superscript three") << "Volume"
                                           << "m" + QString(QChar(0x00B3)) + "(cubic meter)"
                                           << "m3";
        QTest::newRow("gamma") << "Magnetic" << QString(QChar(0x03B3)) + "(gamma)"
                               << "y";
        QTest::newRow("macron point") << "Angle" << QString(QChar(0x00AF)) + "(point)"
                                      << "-";
        QTest::newRow("reaumur e-acute") << "Temperature" << QString::fromUtf8("\u00B0R\u00E9(r\u00E9aumur)")
                                         << QString::fromUtf8("\u00B0Re\u0301");
        QTest::newRow("romer o-slash") << "Temperature" << QString::fromUtf8("\u00B0R\u00F8(r\u00F8mer)")
                                       << QString::fromUtf8("\u00B0Ro");
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
};

QTEST_GUILESS_MAIN(tst_ConvertCards)
#include "tst_convert_cards.moc"
