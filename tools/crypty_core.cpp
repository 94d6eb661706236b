#include "tools/crypty_core.h"

#include <QByteArray>
#include <QStringDecoder>

#include "tools/Character_Conversion.h"
#include "tools/des.h"

namespace CryptyCore {

int desKeyDigits(int mode)
{
    switch (mode) {
    case Des:
        return 16;
    case TwoDes:
        return 32;
    case ThreeDes:
        return 48;
    default:
        return 0;
    }
}

namespace {

// Packs hex digit pairs into bytes, first digit high. False at a non-hex character.
bool packHex(const QByteArray& text, unsigned char* bytes)
{
    unsigned char nibbles[48] = {};
    if (text.size() > 48 || !CharToHex(text.constData(), nibbles, static_cast<quint8>(text.size())))
        return false;
    for (int i = 0; i < text.size() / 2; ++i)
        bytes[i] = static_cast<unsigned char>(16 * nibbles[2 * i] + nibbles[2 * i + 1]);
    return true;
}

} // namespace

DesResult desBlock(int mode, const QString& key, const QString& data, bool encrypt)
{
    DesResult result;
    if (key.isEmpty() || data.isEmpty() || key.size() != desKeyDigits(mode) || data.size() != 16) {
        result.failure = DesFailure::BadLength;
        return result;
    }
    unsigned char keyBytes[24] = {};
    unsigned char block[8] = {};
    // Latin-1 form: anything beyond it becomes '?' and fails the digit test.
    if (!packHex(key.toLatin1(), keyBytes) || !packHex(data.toLatin1(), block)) {
        result.failure = DesFailure::NotHex;
        return result;
    }

    using Op = void (*)(unsigned char*, unsigned char*, const unsigned char*);
    static const Op encryptOps[] = {One_DES_IV_Encrypt_Block, Two_DES_IV_Encrypt_Block,
                                    Three_DES_IV_Encrypt_Block};
    static const Op decryptOps[] = {One_DES_IV_Decode_Block, Two_DES_IV_Decode_Block,
                                    Three_DES_IV_Decode_Block};
    (encrypt ? encryptOps : decryptOps)[mode](nullptr, block, keyBytes);

    char text[17] = {};
    HexToChar(text, block, 16);
    result.text = QString::fromLatin1(text, 16);
    return result;
}

QString base64Encode(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

namespace {

bool isCanonicalBase64(const QString& s)
{
    if (s.size() % 4 != 0)
        return false;
    int padding = 0;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('=')) {
            ++padding;
            continue;
        }
        if (padding > 0) // padding only at the end
            return false;
        const bool inAlphabet = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                                (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                                (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
                                c == QLatin1Char('/');
        if (!inAlphabet)
            return false;
    }
    return padding <= 2;
}

} // namespace

Base64Result base64Decode(const QString& source)
{
    Base64Result result;
    QString compact;
    compact.reserve(source.size());
    for (const QChar c : source) {
        if (!c.isSpace())
            compact.append(c);
    }
    if (!isCanonicalBase64(compact)) {
        result.failure = Base64Failure::InvalidBase64;
        return result;
    }
    const auto decoded =
        QByteArray::fromBase64Encoding(compact.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        result.failure = Base64Failure::InvalidBase64;
        return result;
    }
    // Keep a leading byte order mark: it was part of the encoded text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(decoded.decoded);
    if (utf8.hasError()) {
        result.failure = Base64Failure::NotUtf8;
        return result;
    }
    result.text = text;
    return result;
}

} // namespace CryptyCore
