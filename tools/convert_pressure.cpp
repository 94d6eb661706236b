#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the pascal. Mercury columns at the conventional 13595.1 kg/m³ and
// g = 9.80665; torr = atm / 760; psi from the avoirdupois pound and the inch.
const UnitRow pressure[20] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "mPa(millipascal)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Pa(pascal)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "hPa(hectopascal)"), {mul(100)}, {mul(0.01)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kPa(kilopascal)"), {mul(1000)}, {mul(0.001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GPa(gigapascal)"), {mul(1e9)}, {mul(1e-9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "bar(bar)"), {mul(100000)}, {mul(1e-5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pz(pizz pascal)"), {mul(1000)}, {mul(0.001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "psi(pound per square inch)"),
     {mul(6894.757293168361)},
     {div(6894.757293168361)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kpsi(kip per square inch)"),
     {mul(6894757.293168361)},
     {div(6894757.293168361)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "atm(atmosphere)"), {mul(101325)}, {div(101325)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "at(technical atmosphere)"), {mul(98066.5)}, {div(98066.5)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "torr(torr)"), {mul(101325.0 / 760)}, {div(101325.0 / 760)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mmHg(millimeter of mercury)"),
     {mul(133.322387415)},
     {div(133.322387415)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mHg(meter of mercury)"),
     {mul(133322.387415)},
     {div(133322.387415)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cmHg(centimeter of mercury)"),
     {mul(1333.22387415)},
     {div(1333.22387415)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "inHg(inch of mercury)"),
     {mul(3386.388640341)},
     {div(3386.388640341)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mmH2O(millimeter of water column)"),
     {mul(9.80665)},
     {div(9.80665)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cmH2O(centimeter of water column)"),
     {mul(98.0665)},
     {div(98.0665)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mH2O(meter of water column)"), {mul(9806.65)}, {div(9806.65)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "inH2O(inch of water column)"), {mul(249.08891)}, {div(249.08891)}},
};

// Base unit: the joule. International-table BTU; electron volt from the SI elementary charge.
const UnitRow energy[11] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "J(joule)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kJ(kilojoule)"), {mul(1000)}, {mul(0.001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MJ(megajoule)"), {mul(1e6)}, {mul(1e-6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "W·h(watt-hour)"), {mul(3600)}, {div(3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kW·h(kilowatt-hour)"), {mul(3600000)}, {div(3600000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "erg(erg)"), {mul(1e-7)}, {mul(10000000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kpm(kilogram-force meter)"), {mul(9.80665)}, {div(9.80665)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "btu(british thermal unit)"),
     {mul(1055.05585262)},
     {div(1055.05585262)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft·lbf(foot-pound force)"),
     {mul(1.3558179483314004)},
     {div(1.3558179483314004)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "cal(calorie)"), {mul(4.184)}, {div(4.184)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "eV(electron volt)"),
     {mul(1.602176634e-19)},
     {div(1.602176634e-19)}},
};

// Base unit: the watt. "hp" is the metric horsepower, "mhp" the mechanical one (550 ft·lbf/s).
const UnitRow power[12] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "W(watt)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kW(kilowatt)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MW(megawatt)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GW(gigawatt)"), {mul(1e9)}, {div(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "BTU/h(british thermal unit per hour)"),
     {mul(1055.05585262 / 3600)},
     {div(1055.05585262 / 3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "BTU/min(british thermal unit per minute)"),
     {mul(1055.05585262 / 60)},
     {div(1055.05585262 / 60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "BTU/s(british thermal unit per second)"),
     {mul(1055.05585262)},
     {div(1055.05585262)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ft·lbf/s(foot-pound force per second)"),
     {mul(1.3558179483314004)},
     {div(1.3558179483314004)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "hp(horsepower)"), {mul(735.49875)}, {div(735.49875)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mhp(mechanical horsepower)"),
     {mul(745.6998715822702)},
     {div(745.6998715822702)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "ehp(electrical horsepower)"), {mul(746)}, {div(746)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "bhp(boiler horsepower)"), {mul(9809.5)}, {div(9809.5)}},
};

} // namespace UnitConvert::Tables
