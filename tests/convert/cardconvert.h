#pragma once

#include <QString>

#include "tools/convert_units.h"

// What a card shows for `value` typed with these two units (labels as the form shows them):
// "<not a number>" or "<no unit>" where the card shows an empty result.
inline QString convertText(UnitConvert::Card c, const QString& value, const QString& fromLabel,
                           const QString& toLabel)
{
    using namespace UnitConvert;
    const CardSpec& spec = card(c);
    const std::optional<double> x = parseInput(value);
    if (!x)
        return QStringLiteral("<not a number>");
    const std::optional<double> base = toBase(spec, *x, unitKey(fromLabel));
    const std::optional<double> r = base ? fromBase(spec, *base, unitKey(toLabel)) : std::nullopt;
    return r ? formatResult(*r, spec.format) : QStringLiteral("<no unit>");
}
