#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the metre. "µ" is U+00B5, "Å" U+00C5.
const UnitRow lengths[19] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "km(kilometer)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "m(meter)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "dm(decimeter)"), {div(10)}, {mul(10)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cm(centimeter)"), {div(100)}, {mul(100)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mm(millimeter)"), {div(1000)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µm(micrometer)"), {div(1e6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nm(nanometer)"), {div(1e9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Å(angstrom)"), {div(1e10)}, {mul(1e10)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pm(picometer)"), {mul(1e-12)}, {mul(1e12)}},
    // International mile, foot, inch and yard (1959); nautical mile 1852 m.
    {QT_TRANSLATE_NOOP("quenlix_convert", "mi(mile)"), {mul(1609.344)}, {div(1609.344)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft(feet)"), {mul(0.3048)}, {div(0.3048)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "in(inch)"), {mul(0.0254)}, {div(0.0254)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mil(mill)"), {mul(2.54e-5)}, {div(2.54e-5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "M(nautical mile)"), {mul(1852)}, {div(1852)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "yd(yard)"), {mul(0.9144)}, {div(0.9144)}},
    // IAU 2012 astronomical unit; Julian light year; parsec = au / tan(1 arcsecond).
    {QT_TRANSLATE_NOOP("quenlix_convert", "au(astronomical unit)"),
     {mul(149597870700.0)},
     {div(149597870700.0)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ly(light year)"),
     {mul(9460730472580800.0)},
     {div(9460730472580800.0)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ls(light second)"), {mul(299792458)}, {div(299792458)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pc(parsec)"),
     {mul(3.0856775814913673e16)},
     {div(3.0856775814913673e16)}},
};

} // namespace UnitConvert::Tables
