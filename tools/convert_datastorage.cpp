#include <QtGlobal>

#include "tools/convert_tables.h"

namespace UnitConvert::Tables {

// Base unit: the bit. Prefixes step by 1024; every constant is a power of two, so each step
// is exact. The labels carry no long name.
const UnitRow dataStorage[14] = {
    {QT_TRANSLATE_NOOP("quenlix_convert", "Bit"), {keep()}, {keep()}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kBit"), {mul(1024)}, {mul(0.0009765625)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "Mbit"), {mul(1024), mul(1024)}, {mul(0x1p-20)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GBit"), {mul(1024), mul(1024), mul(1024)}, {mul(0x1p-30)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "TBit"), {mul(0x1p40)}, {mul(0x1p-40)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "PBit"), {mul(0x1p50)}, {mul(0x1p-50)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "EBit"), {mul(0x1p60)}, {mul(0x1p-60)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "B"), {mul(8)}, {mul(0.125)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "kB"), {mul(1024), mul(8)}, {mul(0x1p-13)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "MB"), {mul(0x1p20), mul(8)}, {mul(0x1p-23)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "GB"), {mul(0x1p30), mul(8)}, {mul(0x1p-33)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "TB"), {mul(0x1p40), mul(8)}, {mul(0x1p-43)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "PB"), {mul(0x1p50), mul(8)}, {mul(0x1p-50), mul(0.125)}},
    {QT_TRANSLATE_NOOP("quenlix_convert", "EB"), {mul(0x1p60), mul(8)}, {mul(0x1p-60), mul(0.125)}},
};

} // namespace UnitConvert::Tables
