#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the kilogram. "µ" is U+00B5. Avoirdupois and troy units by their exact
// definitions (1959); the atomic mass unit from CODATA 2018.
const UnitRow mass[14] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "ng(nanogram)"), {div(1e12)}, {mul(1e12)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µg(microgram)"), {div(1e9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mg(milligram)"), {div(1e6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cg(centigram)"), {div(1e5)}, {mul(1e5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "g(gram)"), {div(1000)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kg(kilogram)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "t(ton)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "lb(pound)"), {mul(0.45359237)}, {div(0.45359237)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "st(stone)"), {mul(6.35029318)}, {div(6.35029318)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "oz(ounce)"), {mul(0.028349523125)}, {div(0.028349523125)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ozt(troy ounce)"), {mul(0.0311034768)}, {div(0.0311034768)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "dwt(pennyweight)"), {mul(0.00155517384)}, {div(0.00155517384)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ct(carat)"), {mul(0.0002)}, {div(0.0002)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "u(unified atomic mass unit)"),
     {mul(1.66053906660e-27)},
     {div(1.66053906660e-27)}},
};

// Base unit: the square metre. "²" is U+00B2.
const UnitRow area[11] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "km²(square kilometre)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "m²(square metre)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cm²(square centimetre)"), {mul(0.0001)}, {div(0.0001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mm²(square millimetre)"), {mul(1e-6)}, {div(1e-6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "in²(square inch)"), {mul(0.00064516)}, {div(0.00064516)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft²(square foot)"), {mul(0.09290304)}, {div(0.09290304)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "yd²(square yard)"), {mul(0.83612736)}, {div(0.83612736)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mi²(square mile)"), {mul(2589988.110336)}, {div(2589988.110336)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ha(hectare)"), {mul(10000)}, {div(10000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ac(acre)"), {mul(4046.8564224)}, {div(4046.8564224)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "a(square are)"), {mul(100)}, {div(100)}},
};

// Base unit: the cubic metre. "³" is U+00B3. Customary units are defined by their size in
// litres and go through the litre; the "oz" rows are the fluid ounces of their system.
const UnitRow volume[18] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "m³(cubic meter)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "dm³(cubic decimeter)"), {div(1000)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cm³(cubic centimeter)"), {div(1e6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mm³(cubic millimeter)"), {div(1e9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "in³(cubic inch)"), {mul(1.6387064e-5)}, {div(1.6387064e-5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft³(cubic foot)"), {mul(0.028316846592)}, {div(0.028316846592)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "L(liter)"), {div(1000)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mL(milliliter)"), {div(1e6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cup(cup)"),
     {mul(0.2365882365), div(1000)},
     {mul(1000), div(0.2365882365)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "UK gal(UK gallon)"),
     {mul(4.54609), div(1000)},
     {mul(1000), div(4.54609)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "UK pt(UK pint)"),
     {mul(0.56826125), div(1000)},
     {mul(1000), div(0.56826125)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "UK fl oz(UK Fluid ounce)"),
     {mul(0.0284130625), div(1000)},
     {mul(1000), div(0.0284130625)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "UK oz(UK ounce)"),
     {mul(0.0284130625), div(1000)},
     {mul(1000), div(0.0284130625)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "US gal(US gallon)"),
     {mul(3.785411784), div(1000)},
     {mul(1000), div(3.785411784)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "US pt(US pint)"),
     {mul(0.473176473), div(1000)},
     {mul(1000), div(0.473176473)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "US fl oz(US Fluid ounce)"),
     {mul(0.0295735295625), div(1000)},
     {mul(1000), div(0.0295735295625)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "US oz(US ounce)"),
     {mul(0.0295735295625), div(1000)},
     {mul(1000), div(0.0295735295625)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "tbsp(tablespoon)"),
     {mul(0.01478676478125), div(1000)},
     {mul(1000), div(0.01478676478125)}},
};

} // namespace UnitConvert::Tables
