#pragma once

#include <QString>

// What the "Crypty" tab computes, without its widgets.
namespace CryptyCore {

// Cipher modes in the order of the mode combo box.
enum DesMode { Des = 0, TwoDes = 1, ThreeDes = 2 };

// Number of hexadecimal key digits a mode takes (16, 32, 48); 0 for an unknown mode.
int desKeyDigits(int mode);

enum class DesFailure {
    None,
    BadLength, // a field empty, or not the length the mode needs
    NotHex,    // a character that is not a hexadecimal digit (key checked before data)
};

struct DesResult
{
    DesFailure failure = DesFailure::None;
    QString text; // 16 upper-case hexadecimal digits when failure is None
};

// Enciphers or deciphers the one block `data` (16 hex digits) under `key` (16/32/48 hex
// digits for DES / two-key / three-key triple DES), without chaining.
DesResult desBlock(int mode, const QString& key, const QString& data, bool encrypt);

// Base64 (standard alphabet, padded, one line) of the text's UTF-8 bytes.
QString base64Encode(const QString& text);

enum class Base64Failure {
    None,
    InvalidBase64, // not canonical padded Base64 once white space is removed
    NotUtf8,       // the decoded bytes are not UTF-8 text
};

struct Base64Result
{
    Base64Failure failure = Base64Failure::None;
    QString text;
};

// Decodes Base64 text (white space ignored, anything else outside the alphabet refused)
// and reads the bytes as UTF-8.
Base64Result base64Decode(const QString& source);

} // namespace CryptyCore
