#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include "tests/common/peerprocess.h"
#include "tools/crypty_core.h"
#include "tools/unicode_core.h"

using CryptyCore::Base64Failure;
using CryptyCore::DesFailure;
using UnicodeHex::Failure;

Q_DECLARE_METATYPE(CryptyCore::DesFailure)
Q_DECLARE_METATYPE(CryptyCore::Base64Failure)
Q_DECLARE_METATYPE(UnicodeHex::Failure)

namespace {

// Runs a Python 3 snippet that reads a JSON array on stdin and prints a JSON array.
QJsonArray python(const char* script, const QJsonArray& input)
{
    QProcess p;
    p.start(systemPython(), {QStringLiteral("-c"), QString::fromLatin1(script)});
    if (!p.waitForStarted(5000))
        return {};
    p.write(QJsonDocument(input).toJson(QJsonDocument::Compact));
    p.closeWriteChannel();
    if (!p.waitForFinished(15000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

// Random text over the whole Unicode range, weighted towards the awkward places.
QString randomText(QRandomGenerator& rng)
{
    static const char32_t special[] = {0x0A,   0x0D,   0x09,   0x20,    0xA0,    0xFF,
                                       0x2028, 0xFEFF, 0xFFFD, 0x1F600, 0x10FFFF};
    QString s;
    const int length = rng.bounded(1, 24);
    for (int i = 0; i < length; ++i) {
        char32_t c;
        switch (rng.bounded(4)) {
        case 0:
            c = special[rng.bounded(int(std::size(special)))];
            break;
        case 1:
            c = rng.bounded(0x20, 0x7F);
            break;
        case 2:
            c = rng.bounded(0x80, 0xD800);
            break;
        default:
            c = rng.bounded(0x10000, 0x110000);
            break;
        }
        s += QString::fromUcs4(&c, 1);
    }
    return s;
}

} // namespace

class TestCryptyCore : public QObject
{
    Q_OBJECT
private slots:
    // One row per rule of the cipher fields, in the order the rules are checked.
    void desFields_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("encrypt");
        QTest::addColumn<DesFailure>("failure");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, int mode, const QString& key, const QString& data, bool encrypt,
                            DesFailure failure, const char* result) {
            QTest::newRow(name) << mode << key << data << encrypt << failure << QString(result);
        };
        const QString k16 = "133457799BBCDFF1";
        const QString d16 = "0123456789ABCDEF";
        const QString badData = "0x0123456789ABCD";
        row("empty-key-before-bad-data", 0, "", "zz", true, DesFailure::BadLength, "");
        row("empty-data", 0, k16, "", true, DesFailure::BadLength, "");
        row("2DES-with-16-digit-key", 1, k16, d16, true, DesFailure::BadLength, "");
        row("3DES-with-32-digit-key", 2, k16 + k16, d16, true, DesFailure::BadLength, "");
        row("DES-with-15-digit-data", 0, k16, d16.left(15), true, DesFailure::BadLength, "");
        row("length-before-digits", 1, "XYZ", d16, true, DesFailure::BadLength, "");
        row("0x-data", 0, k16, badData, true, DesFailure::NotHex, "");
        row("bad-key-and-bad-data", 0, "133457799BBCDFFG", badData, true, DesFailure::NotHex, "");
        row("non-latin1-key", 0, "133457799BBCDFF" + QString(QChar(0x4E2D)), d16, true, DesFailure::NotHex,
            "");
        row("lower-case-in-upper-out", 0, k16.toLower(), d16.toLower(), true, DesFailure::None,
            "85E813540F0AB405");
        row("decrypt-gives-data-upper-case", 0, k16, "85e813540f0ab405", false, DesFailure::None,
            "0123456789ABCDEF");
        row("2DES-equal-halves-is-DES", 1, k16 + k16, d16, true, DesFailure::None, "85E813540F0AB405");
        // Reference value: OpenSSL des-ede-ecb with the first 32 digits.
        row("3DES-k3-is-k1-is-2DES", 2, "0123456789ABCDEFFEDCBA98765432100123456789ABCDEF", d16, true,
            DesFailure::None, "1A4D672DCA6CB335");
    }

    void desFields()
    {
        QFETCH(int, mode);
        QFETCH(QString, key);
        QFETCH(QString, data);
        QFETCH(bool, encrypt);
        QFETCH(DesFailure, failure);
        QFETCH(QString, result);
        const CryptyCore::DesResult r = CryptyCore::desBlock(mode, key, data, encrypt);
        QCOMPARE(r.failure, failure);
        QCOMPARE(r.text, result);
    }

    void base64Encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("base64");
        const auto row = [](const char* name, const QString& text, const char* base64) {
            QTest::newRow(name) << text << QString(base64);
        };
        // RFC 4648 test vectors, then UTF-8 bytes (coreutils base64).
        row("empty", "", "");
        row("f", "f", "Zg==");
        row("fo", "fo", "Zm8=");
        row("foo", "foo", "Zm9v");
        row("foobar", "foobar", "Zm9vYmFy");
        row("non-ascii", QString::fromUtf8("中文"), "5Lit5paH");
        row("no-break-space-and-line-separator", QString::fromUtf8("a\u00A0b\u2028c"), "YcKgYuKAqGM=");
    }

    void base64Encode()
    {
        QFETCH(QString, text);
        QFETCH(QString, base64);
        QCOMPARE(CryptyCore::base64Encode(text), base64);
        const CryptyCore::Base64Result back = CryptyCore::base64Decode(base64);
        QCOMPARE(back.failure, Base64Failure::None);
        QCOMPARE(back.text, text);
    }

    void base64Decode_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<Base64Failure>("failure");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QString& source, Base64Failure failure,
                            const QString& text) { QTest::newRow(name) << source << failure << text; };
        row("broken-over-lines", "Zm9v\nYmFy\r\n", Base64Failure::None, "foobar");
        row("blanks-around-padding", " Zm9v YmE= ", Base64Failure::None, "fooba");
        row("non-canonical-last-bits", "YR==", Base64Failure::None, "a");
        row("byte-order-mark-kept", "77u/YQ==", Base64Failure::None, QChar(0xFEFF) + QString("a"));
        row("char-outside-alphabet", "Zm9v!mFy", Base64Failure::InvalidBase64, "");
        row("missing-padding", "Zg", Base64Failure::InvalidBase64, "");
        row("short-padding", "Zg=", Base64Failure::InvalidBase64, "");
        row("surplus-padding", "Zm9v====", Base64Failure::InvalidBase64, "");
        row("padding-in-the-middle", "Zg==Zm9v", Base64Failure::InvalidBase64, "");
        row("non-ascii-char", QString::fromUtf8("Zm9vé==="), Base64Failure::InvalidBase64, "");
        row("byte-ff", "/w==", Base64Failure::NotUtf8, "");
        row("encoded-surrogate", "7aCA", Base64Failure::NotUtf8, "");
        row("overlong-slash", "wK8=", Base64Failure::NotUtf8, "");
    }

    void base64Decode()
    {
        QFETCH(QString, source);
        QFETCH(Base64Failure, failure);
        QFETCH(QString, text);
        const CryptyCore::Base64Result r = CryptyCore::base64Decode(source);
        QCOMPARE(r.failure, failure);
        QCOMPARE(r.text, text);
    }

    // Python's strict decoders (white space removed first) on random, partly damaged Base64.
    void base64DecodeMatchesPython()
    {
        QRandomGenerator rng(0xB64u);
        QJsonArray sources;
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes;
            if (i % 2)
                bytes = randomText(rng).toUtf8();
            else
                for (int n = rng.bounded(12); n > 0; --n)
                    bytes += char(rng.bounded(256));
            QString source = QString::fromLatin1(bytes.toBase64());
            static const char noise[] = "=!-_ /+\nA";
            for (int n = rng.bounded(3); n > 0 && i % 3; --n)
                source.insert(rng.bounded(source.size() + 1),
                              QLatin1Char(noise[rng.bounded(int(sizeof noise) - 1)]));
            if (i % 7 == 0 && !source.isEmpty())
                source.chop(1);
            sources.append(source);
        }
        // Valid only where both Python's strict mode and coreutils accept it.
        const QJsonArray reference =
            python("import sys, json, binascii, subprocess\n"
                   "out = []\n"
                   "for s in json.load(sys.stdin):\n"
                   "    s = ''.join(s.split())\n"
                   "    try:\n"
                   "        b = binascii.a2b_base64(s.encode('ascii'), strict_mode=True)\n"
                   "    except (binascii.Error, ValueError):\n"
                   "        out.append(['invalid']); continue\n"
                   "    cu = subprocess.run(['base64', '-d'], input=s.encode(),\n"
                   "                        capture_output=True, timeout=10)\n"
                   "    if cu.returncode != 0 or cu.stdout != b:\n"
                   "        out.append(['invalid']); continue\n"
                   "    try:\n"
                   "        out.append(['ok', b.decode('utf-8')])\n"
                   "    except UnicodeDecodeError:\n"
                   "        out.append(['notutf8'])\n"
                   "print(json.dumps(out))\n",
                   sources);
        QCOMPARE(reference.size(), sources.size());
        int invalid = 0;
        for (int i = 0; i < sources.size(); ++i) {
            const QString source = sources.at(i).toString();
            const QJsonArray expected = reference.at(i).toArray();
            const CryptyCore::Base64Result r = CryptyCore::base64Decode(source);
            const QString kind = r.failure == Base64Failure::None            ? "ok"
                                 : r.failure == Base64Failure::InvalidBase64 ? "invalid"
                                                                             : "notutf8";
            QVERIFY2(kind == expected.at(0).toString(), qPrintable(source));
            QCOMPARE(r.text, expected.at(1).toString());
            invalid += kind == "invalid";
        }
        QVERIFY(invalid > 30 && invalid < 270); // both outcomes well represented
    }

    void unicodeToHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("hex");
        const auto row = [](const char* name, const QString& text, bool prefix, const char* hex) {
            QTest::newRow(name) << text << prefix << QString(hex);
        };
        row("A", "A", false, "0041");
        row("U+00FF", QChar(0xFF), false, "00FF");
        row("U+0416", QChar(0x416), false, "0416");
        row("U+4E2D", QChar(0x4E2D), false, "4E2D");
        row("line-break", "\n", false, "000A");
        row("prefixed-A", "A", true, "\\U0041");
        row("prefixed-pair", QString::fromUtf8("A中"), true, "\\U0041\\U4E2D");
        row("U+1F600-surrogates", QString::fromUtf8("😀"), false, "D83DDE00");
    }

    void unicodeToHex()
    {
        QFETCH(QString, text);
        QFETCH(bool, prefix);
        QFETCH(QString, hex);
        QCOMPARE(UnicodeHex::toHex(text, prefix), hex);
        const UnicodeHex::Decoded back = UnicodeHex::fromHex(hex, prefix);
        QCOMPARE(back.failure, Failure::None);
        QCOMPARE(back.text, text);
    }

    void unicodeFromHex_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("position");
        const auto row = [](const char* name, const char* input, bool prefix, Failure failure,
                            const QString& text, const char* group, int position) {
            QTest::newRow(name) << QString(input) << prefix << failure << text << QString(group) << position;
        };
        const QString aZhong = QString::fromUtf8("A中");
        row("plain", "00414E2D", false, Failure::None, aZhong, "", 0);
        row("mixed-prefixes", "\\U0041\\u4E2D", true, Failure::None, aZhong, "", 0);
        row("empty", "", false, Failure::None, "", "", 0);
        row("prefix-unticked", "\\U0041", false, Failure::InvalidGroup, "", "\\U00", 1);
        row("trailing-partial", "00410", false, Failure::IncompleteGroup, "", "0", 5);
        row("plus-sign-not-hex", "+041", false, Failure::InvalidGroup, "", "+041", 1);
        row("blank-inside", "0041 4E2D", false, Failure::InvalidGroup, "", " 4E2", 5);
        row("trailing-line-break", "0041\n", false, Failure::IncompleteGroup, "", "\n", 5);
        // Position counts in the input as typed, prefixes included.
        row("bad-group-after-prefixes", "\\U0041\\uZZ41", true, Failure::InvalidGroup, "", "ZZ41", 9);
        row("partial-after-prefix", "\\U0041\\U41", true, Failure::IncompleteGroup, "", "41", 9);
    }

    void unicodeFromHex()
    {
        QFETCH(QString, input);
        QFETCH(bool, prefix);
        QFETCH(Failure, failure);
        QFETCH(QString, text);
        QFETCH(QString, group);
        QFETCH(int, position);
        const UnicodeHex::Decoded d = UnicodeHex::fromHex(input, prefix);
        QCOMPARE(d.failure, failure);
        QCOMPARE(d.text, text);
        QCOMPARE(d.group, group);
        QCOMPARE(d.position, position);
    }

    // Long input is decoded whole, nothing cut.
    void unicodeLongInput()
    {
        QString text;
        for (int i = 0; i < 5000; ++i)
            text += QChar(0x4E00 + i % 0x5000);
        const QString hex = UnicodeHex::toHex(text, false);
        QCOMPARE(hex.size(), 20000);
        QCOMPARE(UnicodeHex::fromHex(hex, false).text, text);
    }

    // Random text against Python's UTF-16BE, then back.
    void unicodeMatchesPython()
    {
        QRandomGenerator rng(0x16u);
        QJsonArray texts;
        QStringList inputs;
        for (int i = 0; i < 200; ++i) {
            inputs << randomText(rng);
            texts.append(inputs.last());
        }
        const QJsonArray reference =
            python("import sys, json\n"
                   "print(json.dumps([s.encode('utf-16-be').hex().upper() for s in json.load(sys.stdin)]))",
                   texts);
        QCOMPARE(reference.size(), inputs.size());
        for (int i = 0; i < inputs.size(); ++i) {
            QCOMPARE(UnicodeHex::toHex(inputs.at(i), false), reference.at(i).toString());
            for (bool prefix : {false, true})
                QCOMPARE(UnicodeHex::fromHex(UnicodeHex::toHex(inputs.at(i), prefix), prefix).text,
                         inputs.at(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestCryptyCore)
#include "tst_crypty_core.moc"
