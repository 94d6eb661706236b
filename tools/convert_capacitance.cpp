#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the farad. "μ" is U+03BC here.
const UnitRow capacitance[4] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "F(farad)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "μF(microfarad)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "nF(nanofarad)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "pF(picofarad)"), {mul(1e-12)}, {mul(1e12)}},
};

// Base unit: the ohm. "Ω" is U+03A9.
const UnitRow resistance[4] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "Ω(ohm)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kΩ(kiloohm)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MΩ(megaohm)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GΩ(gigaohm)"), {mul(1e9)}, {div(1e9)}},
};

// Base unit: the siemens. "µ" is U+00B5.
const UnitRow conductance[7] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "nS(nanosiemens)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µS(microsiemens)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mS(millisiemens)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "S(siemens)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kS(kilosiemens)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MS(megasiemens)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GS(gigasiemens)"), {mul(1e9)}, {div(1e9)}},
};

// Base unit: the henry. "µ" is U+00B5.
const UnitRow inductance[7] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "nH(nanohenry)"), {mul(1e-9)}, {mul(1e9)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "µH(microhenry)"), {mul(1e-6)}, {mul(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "mH(millihenry)"), {mul(0.001)}, {mul(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "H(henry)"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kH(kilohenry)"), {mul(1000)}, {div(1000)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MH(megahenry)"), {mul(1e6)}, {div(1e6)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GH(gigahenry)"), {mul(1e9)}, {div(1e9)}},
};

} // namespace UnitConvert::Tables
