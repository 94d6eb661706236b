#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the newton. Pound-force and poundal from the avoirdupois pound and g = 9.80665.
const UnitRow force[5] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "N(newton)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "dyn(dyne)"), {div(100000)}, {mul(100000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "lbf(pound-force)"),
     {mul(4.4482216152605)},
     {div(4.4482216152605)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kgf(kilogram-force)"), {mul(9.80665)}, {div(9.80665)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pdl(poundal)"), {mul(0.138254954376)}, {div(0.138254954376)}},
};

// Base unit: the newton metre. "·" is U+00B7.
const UnitRow torque[5] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "N·m(Newton-meter)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "dyn·cm(Dyne·cm)"), {div(10000000)}, {mul(10000000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "lbf·ft(Pound-force foot)"),
     {mul(1.3558179483314004)},
     {div(1.3558179483314004)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kgf·m(Kilogram-force meter)"), {mul(9.80665)}, {div(9.80665)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pdl·m(Poundal·m)"), {mul(0.138254954376)}, {div(0.138254954376)}},
};

// Base unit: the degree Celsius. Each scale has an affine formula each way, evaluated left
// to right. "°" is U+00B0, "é" U+00E9, "ø" U+00F8.
const UnitRow temperature[8] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "°C(celsius)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°F(fahrenheit)"),
     {sub(32), mul(5), div(9)},
     {mul(9), div(5), add(32)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "K(kelvin)"), {sub(273.15)}, {add(273.15)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°Ré(réaumur)"), {mul(5), mul(0.25)}, {mul(4), div(5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°Rø(rømer)"),
     {sub(7.5), mul(40), div(21)},
     {mul(21), div(40), add(7.5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°De(delisle)"),
     {mul(2), div(3), subFrom(100)},
     {subFrom(100), mul(3), mul(0.5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°R(rankine)"),
     {sub(491.67), mul(5), div(9)},
     {mul(9), div(5), add(491.67)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "°N(newton)"), {mul(100), div(33)}, {mul(33), div(100)}},
};

} // namespace UnitConvert::Tables
