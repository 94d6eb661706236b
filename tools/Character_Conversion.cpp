#include "tools/Character_Conversion.h"

bool CharToHex(const char* text, unsigned char* nibbles, quint8 count)
{
    for (int i = 0; i < count; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            nibbles[i] = static_cast<unsigned char>(c - '0');
        else if (c >= 'A' && c <= 'F')
            nibbles[i] = static_cast<unsigned char>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            nibbles[i] = static_cast<unsigned char>(c - 'a' + 10);
        else
            return false;
    }
    return true;
}

bool HexToChar(char* text, const unsigned char* bytes, quint8 count)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i < count / 2; ++i) {
        text[2 * i] = digits[bytes[i] >> 4];
        text[2 * i + 1] = digits[bytes[i] & 0x0F];
    }
    return true;
}
