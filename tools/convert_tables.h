#pragma once

#include "tools/convert_units.h"

// Unit tables of the physical cards, one array per card, defined in the card files
// (convert_lengths.cpp ... convert_angle.cpp). Labels are marked for translation with
// the context "quenlix_convert"; a translation keeps the abbreviation before "(".
namespace UnitConvert::Tables {

constexpr Op keep()
{
    return {OpKind::Keep, 0.0};
}
constexpr Op mul(double k)
{
    return {OpKind::Mul, k};
}
constexpr Op div(double k)
{
    return {OpKind::Div, k};
}
constexpr Op add(double k)
{
    return {OpKind::Add, k};
}
constexpr Op sub(double k)
{
    return {OpKind::Sub, k};
}
constexpr Op subFrom(double k)
{
    return {OpKind::SubFrom, k};
}

extern const UnitRow lengths[19];
extern const UnitRow mass[14];
extern const UnitRow area[11];
extern const UnitRow volume[18];
extern const UnitRow time[13];
extern const UnitRow speed[11];
extern const UnitRow force[5];
extern const UnitRow torque[5];
extern const UnitRow temperature[8];
extern const UnitRow pressure[20];
extern const UnitRow energy[11];
extern const UnitRow power[12];
extern const UnitRow capacitance[4];
extern const UnitRow resistance[4];
extern const UnitRow conductance[7];
extern const UnitRow inductance[7];
extern const UnitRow current[8];
extern const UnitRow charge[16];
extern const UnitRow magnetic[13];
extern const UnitRow angle[9];
extern const UnitRow dataStorage[14];

} // namespace UnitConvert::Tables
