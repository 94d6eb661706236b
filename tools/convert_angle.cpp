#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the ampere. "µ" is U+00B5.
const UnitRow current[8] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "A(ampere)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kA(kiloampere)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MA(megaampere)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GA(gigaampere)"), {mul(1e9)}, {div(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mA(milliampere)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µA(microampere)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nA(nanoampere)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pA(picoampere)"), {mul(1e-12)}, {mul(1e12)}},
};

// Base unit: the coulomb. The franklin is 1 / (10 c) C (c in m/s) times its prefix; the
// elementary charge is the exact SI value, used both ways.
const UnitRow charge[16] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "C(coulomb)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nC(nanocoulomb)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µC(microcoulomb)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mC(millicoulomb)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kC(kilocoulomb)"), {mul(1000)}, {mul(0.001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MC(megacoulomb)"), {mul(1e6)}, {mul(1e-6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GC(gigacoulomb)"), {mul(1e9)}, {mul(1e-9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Fr(franklin)"),
     {mul(3.33564095198152e-10)},
     {div(3.33564095198152e-10)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nFr(nanofranklin)"),
     {mul(3.33564095198152e-19)},
     {div(3.33564095198152e-19)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µFr(microfranklin)"),
     {mul(3.33564095198152e-16)},
     {div(3.33564095198152e-16)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mFr(milifranklin)"),
     {mul(3.33564095198152e-13)},
     {div(3.33564095198152e-13)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kFr(kilofranklin)"),
     {mul(3.33564095198152e-7)},
     {div(3.33564095198152e-7)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MFr(megafranklin)"),
     {mul(3.33564095198152e-4)},
     {div(3.33564095198152e-4)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GF(gigafranklin)"),
     {mul(3.33564095198152e-1)},
     {div(3.33564095198152e-1)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "e(elementary charge)"),
     {mul(1.602176634e-19)},
     {div(1.602176634e-19)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Ah(ampere-hour)"), {mul(3600)}, {div(3600)}},
};

// Base unit: the tesla. "µ" is U+00B5, "²" U+00B2, "γ" U+03B3.
const UnitRow magnetic[13] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "T(tesla)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MT(megatesla)"), {mul(1e6)}, {mul(1e-6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kT(kilotesla)"), {mul(1000)}, {mul(0.001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mT(millitesla)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µT(microtesla)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nT(nanotesla)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pT(picotesla)"), {mul(1e-12)}, {mul(1e12)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "G(gauss)"), {mul(0.0001)}, {mul(10000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Wb/m²(weber per square meter)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Wb/cm²(weber per square centimeter)"),
     {mul(10000)},
     {mul(0.0001)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "γ(gamma)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Mx/m²(maxwell per square meter)"), {mul(1e-8)}, {mul(1e8)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Mx/cm²(maxwell per square centimeter)"),
     {mul(0.0001)},
     {mul(10000)}},
};

// Base unit: the degree. "°" is U+00B0; the point ("¯", U+00AF) is 1/32 of a circle.
const UnitRow angle[9] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "°(degree)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "radian(radian)"),
     {mul(57.29577951308232)},
     {mul(0.017453292519943295)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "arcminute(arcminute)"), {div(60)}, {mul(60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "arcsecond(arcsecond)"), {div(3600)}, {mul(3600)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "circle(circle)"), {mul(360)}, {div(360)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "1/2circle(1/2circle)"), {mul(180)}, {div(180)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "1/4circle(1/4circle)"), {mul(90)}, {div(90)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "angular mil(angular mil)"),
     {mul(0.05625)},
     {mul(17.77777777777778)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "¯(point)"), {mul(11.25)}, {div(11.25)}},
};

} // namespace UnitConvert::Tables
