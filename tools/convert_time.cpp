#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the second. A year ("a") is 365 days, a month ("m") a twelfth of it, a century
// ("c") 100 such years. "μ" is U+03BC here.
const UnitRow time[13] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "c(century)"), {mul(3153600000)}, {div(3153600000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "a(year)"), {mul(31536000)}, {div(31536000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "m(month)"), {mul(2628000)}, {div(2628000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "w(week)"), {mul(604800)}, {div(604800)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "d(day)"), {mul(86400)}, {div(86400)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "h(hour)"), {mul(3600)}, {div(3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "min(minute)"), {mul(60)}, {div(60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "s(second)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ms(millisecond)"), {div(1000)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "μs(microsecond)"), {div(1e6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ns(nanosecond)"), {div(1e9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "fs(femtosecond)"), {div(1e15)}, {mul(1e15)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "as(attosecond)"), {div(1e18)}, {mul(1e18)}},
};

// Base unit: the metre per second. Compound units multiply by the length and divide by the
// seconds on the way in, and divide once by their quotient on the way back.
const UnitRow speed[11] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "m/s(meter per second)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "m/min(meter per minute)"), {div(60)}, {mul(60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "m/h(meter per hour)"), {div(3600)}, {mul(3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "km/min(kilometer per minute)"), {div(0.06)}, {mul(0.06)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "km/h(kilometer per hour)"), {div(3.6)}, {mul(3.6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft/s(foot per second)"), {mul(0.3048)}, {div(0.3048)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft/min(foot per minute)"),
     {mul(0.3048), div(60)},
     {div(0.3048 / 60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft/h(foot per hour)"),
     {mul(0.3048), div(3600)},
     {div(0.3048 / 3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mi/min(mile per minute)"),
     {mul(1609.344), div(60)},
     {div(1609.344 / 60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mi/h(mile per hour)"),
     {mul(1609.344), div(3600)},
     {div(1609.344 / 3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "knot(knot)"), {mul(1852), div(3600)}, {div(1852.0 / 3600)}},
};

} // namespace UnitConvert::Tables
