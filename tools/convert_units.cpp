#include "tools/convert_units.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "tools/convert_tables.h"

namespace UnitConvert {

namespace {

template <std::size_t N>
constexpr CardSpec physical(const char* category, const char* prefix, const char* iconFile, IconSize iconSize,
                            ResultFormat format, const UnitRow (&rows)[N], int defaultFrom = 0,
                            int defaultTo = 0)
{
    return {category, prefix, category, iconFile, iconSize, format, rows, int(N), defaultFrom, defaultTo};
}

using namespace Tables;
constexpr IconSize x3 = IconSize::TripleDefault;
constexpr IconSize px30 = IconSize::Fixed30;
constexpr ResultFormat f15 = ResultFormat::Fixed15;
constexpr ResultFormat f10 = ResultFormat::Fixed10;

// Captions equal the category names; the form shows them translated.
const CardSpec cards[CardCount] = {
    {"Exchangerates", "exchangerates", QT_TRANSLATE_NOOP("quenlix_convert", "Exchangerates"),
     "currencies.svg", x3, f10, nullptr, 0, -1, -1},
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Lengths"), "lengths", "length.svg", x3, f15, lengths, 4,
             12),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Mass"), "mass", "mass.svg", x3, f15, mass),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Area"), "area", "area.svg", x3, f15, area),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Volume"), "volume", "volume.svg", x3, f10, volume),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Time"), "time", "time.svg", x3, f10, time),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Speed"), "speed", "speed.svg", x3, f10, speed),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Force"), "force", "force.svg", x3, f10, force),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Torque"), "torque", "torque.svg", x3, f10, torque),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Temperature"), "temperature", "temperature.svg", x3, f10,
             temperature),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Pressure"), "pressure", "pressure.svg", x3, f10, pressure),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Energy"), "energy", "energy.svg", x3, f10, energy),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Power"), "power", "power.svg", x3, f10, power),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Capacitance"), "capacitance", "capacitance.svg", px30, f10,
             capacitance),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Resistance"), "resistance", "resistance.svg", px30, f10,
             resistance),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Conductance"), "conductance", "conductance.svg", px30, f10,
             conductance),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Inductance"), "inductance", "inductance.svg", px30, f10,
             inductance),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Current"), "current", "current.svg", px30, f10, current),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Charge"), "charge", "charge.svg", px30, f10, charge),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Magnetic"), "magnetic", "magnetic.svg", px30, f10,
             magnetic),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "Angle"), "angle", "angle.svg", px30, f10, angle),
    physical(QT_TRANSLATE_NOOP("quenlix_convert", "DataStorage"), "datastorage", "datastorage.svg", px30,
             ResultFormat::General6, dataStorage),
};

const QRegularExpression& cleanUnitRegex()
{
    static const QRegularExpression re(QString::fromLatin1(cleanUnitPattern));
    return re;
}

} // namespace

const CardSpec& card(Card c)
{
    return cards[c];
}

QString unitKey(const QString& label)
{
    QString key = label;
    key.remove(cleanUnitRegex());
    return key;
}

const UnitRow* findUnit(const CardSpec& spec, const QString& key)
{
    for (int i = 0; i < spec.rowCount; ++i) {
        if (unitKey(QString::fromUtf8(spec.rows[i].label)) == key)
            return &spec.rows[i];
    }
    return nullptr;
}

std::optional<double> apply(const Op (&ops)[3], double x, double* scale)
{
    if (ops[0].kind == OpKind::None)
        return std::nullopt;
    double unused = 0;
    double& s = scale ? *scale : unused;
    for (const Op& op : ops) {
        // Products keep their relative rounding; a sum's rounding is relative to its larger term.
        const double sumScale = std::max({s, std::fabs(x), std::fabs(op.k)});
        switch (op.kind) {
        case OpKind::None:
            return x;
        case OpKind::Keep:
            break;
        case OpKind::Mul:
            x = x * op.k;
            s *= std::fabs(op.k);
            break;
        case OpKind::Div:
            x = x / op.k;
            s /= std::fabs(op.k);
            break;
        case OpKind::Add:
            x = x + op.k;
            s = sumScale;
            break;
        case OpKind::Sub:
            x = x - op.k;
            s = sumScale;
            break;
        case OpKind::SubFrom:
            x = op.k - x;
            s = sumScale;
            break;
        }
    }
    return x;
}

std::optional<double> toBase(const CardSpec& spec, double value, const QString& key)
{
    const UnitRow* row = findUnit(spec, key);
    return row ? apply(row->to, value) : std::nullopt;
}

std::optional<double> fromBase(const CardSpec& spec, double value, const QString& key)
{
    const UnitRow* row = findUnit(spec, key);
    return row ? apply(row->from, value) : std::nullopt;
}

namespace {

bool isAffine(const Op (&ops)[3])
{
    return std::any_of(std::begin(ops), std::end(ops), [](const Op& op) {
        return op.kind == OpKind::Add || op.kind == OpKind::Sub || op.kind == OpKind::SubFrom;
    });
}

} // namespace

std::optional<double> convert(const CardSpec& spec, double value, const QString& fromKey,
                              const QString& toKey, double* uncertainty)
{
    if (uncertainty)
        *uncertainty = 0.0;
    const UnitRow* from = findUnit(spec, fromKey);
    const UnitRow* to = findUnit(spec, toKey);
    if (!from || !to)
        return std::nullopt;
    // A unit in itself is the typed value, not the value after a trip through the base unit
    // and back (1e-12 K would return 2% off from 273.15 and back).
    if (from == to && from->to[0].kind != OpKind::None)
        return value;
    double scale = std::fabs(value);
    std::optional<double> r = apply(from->to, value, &scale);
    if (r)
        r = apply(to->from, *r, &scale);
    // Each of the at most six steps rounds by half an ulp of the scale; eight ulps cover them.
    const double bound = 8 * std::numeric_limits<double>::epsilon() * scale;
    if (r && std::isfinite(*r) && std::fabs(*r) <= bound)
        r = 0.0;
    // Products keep their relative precision; an offset leaves an absolute one.
    if (uncertainty && r && (isAffine(from->to) || isAffine(to->from)))
        *uncertainty = bound;
    return r;
}

std::optional<double> parseInput(const QString& text)
{
    bool ok = false;
    const double x = text.toDouble(&ok);
    if (!ok || !std::isfinite(x))
        return std::nullopt;
    return x;
}

QString formatResult(double value, ResultFormat format, double uncertainty)
{
    if (format == ResultFormat::General6)
        return QString::number(value, 'g', 6);

    const bool bounded = uncertainty > 0 && std::isfinite(uncertainty);
    int decimals = format == ResultFormat::Fixed15 ? 15 : 10;
    // Decimals below the rounding the computation carries would show its noise.
    if (bounded)
        decimals = std::clamp(int(std::floor(-std::log10(uncertainty))), 0, decimals);

    static const QRegularExpression zeroFraction(QStringLiteral("\\.0+$"));
    static const QRegularExpression trailingZeros(QStringLiteral("(\\.\\d*?[1-9])0+$"));
    QString text = QString::number(value, 'f', decimals);
    text.replace(zeroFraction, QString());
    text.replace(trailingZeros, QStringLiteral("\\1"));

    // A fixed text that misstates a result (1e-12 at 10 decimals reads "0") is replaced
    // by the significant digits, as many as the computation carries.
    if (std::isfinite(value) && value != 0.0) {
        bool ok = false;
        const double shown = text.toDouble(&ok);
        if (!ok || std::fabs(shown - value) > 1e-6 * std::fabs(value)) {
            const int digits =
                bounded ? std::clamp(int(std::floor(std::log10(std::fabs(value) / uncertainty))), 1, 15) : 15;
            return QString::number(value, 'g', digits);
        }
    }
    return text;
}

} // namespace UnitConvert
