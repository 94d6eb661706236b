#pragma once

#include <QtGlobal>

// Hexadecimal characters <-> values.

// Converts `count` hexadecimal characters of `text` ("0"-"9", "A"-"F", "a"-"f") into one
// value 0..15 each in `nibbles`. Stops at the first other character and returns false
// (the values before it are stored); true when all were converted, also for count 0.
bool CharToHex(const char* text, unsigned char* nibbles, quint8 count);

// Writes count / 2 bytes of `bytes` into `text` as two upper-case digits each, high
// nibble first. No terminating zero is written. Always true.
bool HexToChar(char* text, const unsigned char* bytes, quint8 count);
