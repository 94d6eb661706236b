#pragma once

#include <QString>

#include <optional>

// The converter's unit cards without any widget: the register of the 22 cards, each
// physical card's unit table (label, and the operations to and from its base unit),
// the lookup by unit key and the one result formatter all cards share.
namespace UnitConvert {

// Removing every match of this pattern from a unit label leaves its key
// ("mm(millimeter)" -> "mm"). Greedy: from the first "(" to the last ")".
inline constexpr char cleanUnitPattern[] = "\\(.*\\)";

// Translation context of the unit labels and card captions.
inline constexpr char labelContext[] = "quenlix_convert";

enum class OpKind : unsigned char {
    None,    // no operation (ends the list; a row without any has no conversion)
    Keep,    // the value unchanged
    Mul,     // x * k
    Div,     // x / k
    Add,     // x + k
    Sub,     // x - k
    SubFrom, // k - x
};

struct Op
{
    OpKind kind = OpKind::None;
    double k = 0.0;
};

// One unit: its label as the source text of the combo item, and the operations that take
// a value in this unit to the base unit and back, applied left to right in double precision.
struct UnitRow
{
    const char* label;
    Op to[3];
    Op from[3];
};

enum class ResultFormat {
    Fixed15,  // 'f' with 15 decimals, trailing zeros trimmed
    Fixed10,  // 'f' with 10 decimals, trailing zeros trimmed
    General6, // 'g' with 6 significant digits, untrimmed
};

enum class IconSize {
    TripleDefault, // the picture's default size times three
    Fixed30,       // 30 x 30 pixels whatever the picture's size
};

struct CardSpec
{
    const char* category; // member-function prefix ("Lengths")
    const char* prefix;   // object-name prefix ("lengths")
    const char* caption;
    const char* iconFile; // below ":/property_icons/"
    IconSize iconSize;
    ResultFormat format;
    const UnitRow* rows; // null for the currency card, whose list comes from the rates
    int rowCount;
    int defaultFrom; // item selected at start in each combo box
    int defaultTo;
};

enum Card {
    Exchangerates,
    Lengths,
    Mass,
    Area,
    Volume,
    Time,
    Speed,
    Force,
    Torque,
    Temperature,
    Pressure,
    Energy,
    Power,
    Capacitance,
    Resistance,
    Conductance,
    Inductance,
    Current,
    Charge,
    Magnetic,
    Angle,
    DataStorage,
    CardCount
};

// The register in initialisation order (the enum above).
const CardSpec& card(Card c);

// The key of a label: the label without its parenthesised long name.
QString unitKey(const QString& label);

// The row whose key equals `key` exactly (case-sensitive), or null.
const UnitRow* findUnit(const CardSpec& spec, const QString& key);

// Runs a row's operation list on x. A row with no operations gives nothing. A given `scale`
// follows the largest magnitude the computation passes through, for convert().
std::optional<double> apply(const Op (&ops)[3], double x, double* scale = nullptr);

// A unit's value in the base unit and back, by key. Nothing when the key has no row.
std::optional<double> toBase(const CardSpec& spec, double value, const QString& key);
std::optional<double> fromBase(const CardSpec& spec, double value, const QString& key);

// A value from one unit to another, by key, through the base unit. A result that is zero
// within the rounding of its own computation is 0: 0 K in degrees Rankine passes through
// -273.15 and 491.67 and would otherwise come out as 5.7e-14. A unit converted to itself
// gives the value unchanged. Through an offset (temperatures) the result carries an absolute
// rounding error, given in `uncertainty` (0 when the precision is relative, as for factors).
std::optional<double> convert(const CardSpec& spec, double value, const QString& fromKey,
                              const QString& toKey, double* uncertainty = nullptr);

// The typed number: locale-independent, "." as decimal point, optional exponent,
// surrounding white space ignored. Nothing for text that is not a finite number.
std::optional<double> parseInput(const QString& text);

// The text shown for a result. Fixed formats fall back to 15 significant digits when
// the fixed text would misstate a non-zero result (a tiny value printed as 0). With an
// `uncertainty` from convert(), only the digits above it are shown.
QString formatResult(double value, ResultFormat format, double uncertainty = 0.0);

} // namespace UnitConvert
