#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include "tests/common/peerprocess.h"
#include "tests/common/shareddata.h"
#include "tools/crypty_core.h"
#include "tools/des.h"
#include "tools/unicode_core.h"

using CryptyCore::Base64Failure;
using CryptyCore::DesFailure;
using UnicodeHex::Failure;

Q_DECLARE_METATYPE(CryptyCore::DesFailure)
Q_DECLARE_METATYPE(CryptyCore::Base64Failure)
Q_DECLARE_METATYPE(UnicodeHex::Failure)

namespace {

// What `program` prints for `input` on its standard input; empty when it fails.
QByteArray pipe(const QString& program, const QStringList& args, const QByteArray& input)
{
    QProcess p;
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    if (p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return p.readAllStandardOutput();
    p.kill();
    p.waitForFinished(1000);
    return {};
}

// A Python 3 snippet that reads a JSON array on stdin and prints a JSON array.
QJsonArray python(const char* script, const QJsonArray& input)
{
    return QJsonDocument::fromJson(pipe(systemPython(), {"-c", script}, QJsonDocument(input).toJson()))
        .array();
}

QByteArray randomBytes(QRandomGenerator& rng, int n)
{
    QByteArray b(n, '\0');
    for (char& c : b)
        c = char(rng.bounded(256));
    return b;
}

// Random text over the whole Unicode range, weighted towards the awkward places.
QString randomText(QRandomGenerator& rng)
{
    static const char32_t special[] = {0x0A,   0x0D,   0x09,   0x20,    0xA0,    0xFF,
                                       0x2028, 0xFEFF, 0xFFFD, 0x1F600, 0x10FFFF};
    QString s;
    for (int n = rng.bounded(1, 24); n > 0; --n) {
        const int kind = rng.bounded(4);
        const char32_t c = kind == 0   ? special[rng.bounded(int(std::size(special)))]
                           : kind == 1 ? rng.bounded(0x20, 0x7F)
                           : kind == 2 ? rng.bounded(0x80, 0xD800)
                                       : rng.bounded(0x10000, 0x110000);
        s += QString::fromUcs4(&c, 1);
    }
    return s;
}

enum Variant { Single, TwoKey, ThreeKey };

// Runs the variant over every 8-byte block of `data`, chained through `iv` when given.
QByteArray run(Variant v, bool encrypt, const QByteArray& key, const QByteArray& data,
               QByteArray* iv = nullptr)
{
    using Op = void (*)(unsigned char*, unsigned char*, const unsigned char*);
    static const Op enc[] = {One_DES_IV_Encrypt_Block, Two_DES_IV_Encrypt_Block, Three_DES_IV_Encrypt_Block};
    static const Op dec[] = {One_DES_IV_Decode_Block, Two_DES_IV_Decode_Block, Three_DES_IV_Decode_Block};
    QByteArray out = data;
    auto* chain = (iv && !iv->isEmpty()) ? reinterpret_cast<unsigned char*>(iv->data()) : nullptr;
    for (int i = 0; i + 8 <= out.size(); i += 8)
        (encrypt ? enc : dec)[v](chain, reinterpret_cast<unsigned char*>(out.data()) + i,
                                 key.isNull() ? nullptr : reinterpret_cast<const unsigned char*>(key.data()));
    return out;
}

// Records of a NIST .rsp file: field name to value, plus "DIRECTION" (ENCRYPT or DECRYPT).
QList<QMap<QByteArray, QByteArray>> readRsp(const QString& path)
{
    QList<QMap<QByteArray, QByteArray>> records;
    QFile file(path);
    QByteArray direction;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return records;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const int eq = line.indexOf('=');
        if (line == "[ENCRYPT]" || line == "[DECRYPT]")
            direction = line.mid(1, 7);
        if (line.startsWith("COUNT"))
            records.append({{"DIRECTION", direction}});
        if (eq > 0 && !records.isEmpty())
            records.last().insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return records;
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
        row("decrypt-upper-case", 0, k16, "85e813540f0ab405", false, DesFailure::None, "0123456789ABCDEF");
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

    // Published vectors: "Now is the time" in ECB and in CBC.
    void desKnownAnswers_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("iv");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        const QByteArray key = QByteArray::fromHex("0123456789abcdef"), text = "Now is the time for all ";
        QTest::newRow("ecb-now-is-the-time")
            << key << QByteArray() << text
            << QByteArray::fromHex("3fa40e8a984d48156a271787ab8883f9893d51ec4b563b53");
        QTest::newRow("cbc-now-is-the-time")
            << key << QByteArray::fromHex("1234567890abcdef") << text
            << QByteArray::fromHex("e5c7cdde872bf27c43e934008c389c0f683788499a7c05f6");
    }
    void desKnownAnswers()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, iv);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        for (bool encrypt : {true, false}) {
            QByteArray chain = iv;
            QCOMPARE(run(Single, encrypt, key, encrypt ? plain : cipher, &chain).toHex(),
                     (encrypt ? cipher : plain).toHex());
            if (!iv.isEmpty()) // ready for the next block: holds the last ciphertext
                QCOMPARE(chain.toHex(), cipher.right(8).toHex());
        }
    }

    // Single-key files (KEYs) also run as two-key and three-key triple DES with all keys
    // equal, which must reduce to single DES.
    void desNistVectors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("variable-text") << "TCBCvartext.rsp";
        QTest::newRow("inverse-permutation") << "TCBCinvperm.rsp";
        QTest::newRow("permutation-operation") << "TCBCpermop.rsp";
        QTest::newRow("two-key-multi-block") << "TECBMMT2.rsp";
    }
    void desNistVectors()
    {
        QFETCH(QString, file);
        const QString dir = sharedTestData("des");
        if (dir.isEmpty())
            QSKIP("shared test data not present");
        const auto records = readRsp(dir + '/' + file);
        QVERIFY2(records.size() >= 20, qPrintable(file));
        for (const auto& r : records) {
            const bool encrypt = r.value("DIRECTION") == "ENCRYPT";
            const QByteArray in = QByteArray::fromHex(r.value(encrypt ? "PLAINTEXT" : "CIPHERTEXT"));
            const QByteArray out = QByteArray::fromHex(r.value(encrypt ? "CIPHERTEXT" : "PLAINTEXT"));
            const QByteArray where =
                file.toLatin1() + " " + r.value("DIRECTION") + " COUNT " + r.value("COUNT");
            QVERIFY2(!in.isEmpty() && in.size() % 8 == 0, where.constData());
            const QByteArray k1 = QByteArray::fromHex(r.value(r.contains("KEYs") ? "KEYs" : "KEY1"));
            const QByteArray k2 = QByteArray::fromHex(r.value(r.contains("KEYs") ? "KEYs" : "KEY2"));
            QVERIFY2(QByteArray::fromHex(r.value("KEY3", r.value("KEYs"))) == k1, where.constData());
            QVERIFY2(k1 != k2 || run(Single, encrypt, k1, in) == out, where.constData());
            QVERIFY2(run(TwoKey, encrypt, k1 + k2, in) == out, where.constData());
            QVERIFY2(run(ThreeKey, encrypt, k1 + k2 + k1, in) == out, where.constData());
        }
    }

    void desMatchesOpenssl_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<bool>("cbc");
        const char* names[] = {"des", "des-ede", "des-ede3"};
        for (int v : {Single, TwoKey, ThreeKey}) {
            for (const char* mode : {"ecb", "cbc"})
                QTest::addRow("%s-%s", names[v], mode)
                    << v << QString("%1-%2").arg(names[v], mode) << (mode[0] == 'c');
        }
    }
    // Random keys and messages (fixed seed), each enciphered by OpenSSL and by the library.
    void desMatchesOpenssl()
    {
        QFETCH(int, variant);
        QFETCH(QString, cipher);
        QFETCH(bool, cbc);
        if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
            QSKIP("openssl not installed");
        const auto v = Variant(variant);
        QRandomGenerator rng(0xDE5u + variant * 2 + cbc);
        for (int round = 0; round < 16; ++round) {
            const QByteArray key = randomBytes(rng, 8 * (variant + 1));
            const QByteArray iv = cbc ? randomBytes(rng, 8) : QByteArray();
            const QByteArray plain = randomBytes(rng, 8 * 12);
            QStringList args{"enc",       "-" + cipher, "-K",        key.toHex(), "-nopad",
                             "-provider", "legacy",     "-provider", "default"};
            if (cbc)
                args << "-iv" << iv.toHex();
            const QByteArray reference = pipe("openssl", args, plain);
            const QByteArray where = cipher.toLatin1() + " key " + key.toHex();
            QVERIFY2(reference.size() == plain.size(), where.constData());

            QByteArray chain = iv, back = iv;
            QVERIFY2(run(v, true, key, plain, &chain) == reference, where.constData());
            QVERIFY2(run(v, false, key, reference, &back) == plain, where.constData());
            if (cbc)
                QVERIFY(chain == reference.right(8) && back == reference.right(8));
            // The least significant bit of each key byte is parity and changes nothing.
            QByteArray parityFlipped = key;
            for (char& c : parityFlipped)
                c ^= 1;
            QVERIFY2(run(v, true, parityFlipped, plain) == run(v, true, key, plain), where.constData());
        }
    }

    // A null key changes nothing: not the block, not the iv, not the scheduled key.
    void desNullKeyChangesNothing()
    {
        const QByteArray key = QByteArray::fromHex("133457799BBCDFF1"),
                         plain = QByteArray::fromHex("0123456789ABCDEF");
        for (Variant v : {Single, TwoKey, ThreeKey}) {
            for (bool encrypt : {true, false}) {
                Set_One_DES_64bitKey(reinterpret_cast<const unsigned char*>(key.constData()));
                QByteArray iv = QByteArray::fromHex("1234567890ABCDEF");
                QByteArray block = run(v, encrypt, QByteArray(), plain, &iv);
                QCOMPARE(block, plain);
                QCOMPARE(iv.toHex(), QByteArray("1234567890abcdef"));
                // Still the schedule of `key`: its known answer comes out, in place.
                auto* b = reinterpret_cast<unsigned char*>(block.data());
                DES_Encrypt_Block(b, b);
                QCOMPARE(block.toHex(), QByteArray("85e813540f0ab405"));
                DES_Decode_Block(b, b);
                QCOMPARE(block, plain);
            }
        }
    }

    // RFC 4648 test vectors and UTF-8 text (coreutils base64) both ways; then what decoding
    // accepts and refuses. `canonical`: the text encodes back to exactly this Base64.
    void base64_data()
    {
        QTest::addColumn<QString>("base64");
        QTest::addColumn<Base64Failure>("failure");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("canonical");
        const auto row = [](const char* name, const QString& base64, Base64Failure failure,
                            const QString& text, bool canonical = false) {
            QTest::newRow(name) << base64 << failure << text << canonical;
        };
        for (const char* t : {"", "f", "fo", "foo", "foobar"})
            row(t, QByteArray(t).toBase64(), Base64Failure::None, t, true);
        row("non-ascii", "5Lit5paH", Base64Failure::None, QString::fromUtf8("中文"), true);
        row("no-break-space-and-line-separator", "YcKgYuKAqGM=", Base64Failure::None,
            QString::fromUtf8("a\u00A0b\u2028c"), true);
        row("broken-over-lines", "Zm9v\nYmFy\r\n", Base64Failure::None, "foobar");
        row("blanks-around-padding", " Zm9v YmE= ", Base64Failure::None, "fooba");
        row("non-canonical-last-bits", "YR==", Base64Failure::None, "a");
        row("byte-order-mark-kept", "77u/YQ==", Base64Failure::None, QChar(0xFEFF) + QString("a"), true);
        row("char-outside-alphabet", "Zm9v!mFy", Base64Failure::InvalidBase64, "");
        row("missing-padding", "Zg", Base64Failure::InvalidBase64, "");
        row("surplus-padding", "Zm9v====", Base64Failure::InvalidBase64, "");
        row("padding-in-the-middle", "Zg==Zm9v", Base64Failure::InvalidBase64, "");
        row("non-ascii-char", QString::fromUtf8("Zm9vé==="), Base64Failure::InvalidBase64, "");
        row("encoded-surrogate", "7aCA", Base64Failure::NotUtf8, "");
        row("overlong-slash", "wK8=", Base64Failure::NotUtf8, "");
    }
    void base64()
    {
        QFETCH(QString, base64);
        QFETCH(Base64Failure, failure);
        QFETCH(QString, text);
        QFETCH(bool, canonical);
        const CryptyCore::Base64Result r = CryptyCore::base64Decode(base64);
        QCOMPARE(r.failure, failure);
        QCOMPARE(r.text, text);
        if (canonical)
            QCOMPARE(CryptyCore::base64Encode(text), base64);
    }

    // Random, partly damaged Base64 against Python's strict decoder and coreutils (white
    // space removed first): valid only where both accept it.
    void base64DecodeMatchesReference()
    {
        QRandomGenerator rng(0xB64u);
        QJsonArray sources;
        for (int i = 0; i < 300; ++i) {
            QString source =
                (i % 2 ? randomText(rng).toUtf8() : randomBytes(rng, rng.bounded(12))).toBase64();
            for (int n = rng.bounded(3); n > 0 && i % 3; --n)
                source.insert(rng.bounded(source.size() + 1), QLatin1Char("=!-_ /+\nA"[rng.bounded(9)]));
            if (i % 7 == 0 && !source.isEmpty())
                source.chop(1);
            sources.append(source);
        }
        const QJsonArray reference = python(R"(import sys, json, binascii, subprocess
out = []
for s in json.load(sys.stdin):
    s = ''.join(s.split())
    try:
        b = binascii.a2b_base64(s.encode('ascii'), strict_mode=True)
    except (binascii.Error, ValueError):
        out.append(['invalid']); continue
    cu = subprocess.run(['base64', '-d'], input=s.encode(), capture_output=True, timeout=10)
    if cu.returncode != 0 or cu.stdout != b:
        out.append(['invalid']); continue
    try:
        out.append(['ok', b.decode('utf-8')])
    except UnicodeDecodeError:
        out.append(['notutf8'])
print(json.dumps(out)))",
                                            sources);
        QCOMPARE(reference.size(), sources.size());
        const char* kinds[] = {"ok", "invalid", "notutf8"}; // in the order of Base64Failure
        int invalid = 0;
        for (int i = 0; i < sources.size(); ++i) {
            const CryptyCore::Base64Result r = CryptyCore::base64Decode(sources.at(i).toString());
            const QJsonArray expected = reference.at(i).toArray();
            QVERIFY2(kinds[int(r.failure)] == expected.at(0).toString(),
                     qPrintable(sources.at(i).toString()));
            QCOMPARE(r.text, expected.at(1).toString());
            invalid += r.failure == Base64Failure::InvalidBase64;
        }
        QVERIFY(invalid > 30 && invalid < 270); // both outcomes well represented
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

    // Random text against Python's UTF-16BE, then back, with and without group prefixes;
    // long input is converted whole, nothing cut.
    void unicodeMatchesPython()
    {
        QRandomGenerator rng(0x16u);
        QJsonArray texts;
        for (int i = 0; i < 200; ++i)
            texts.append(randomText(rng));
        const QJsonArray reference =
            python("import sys, json\n"
                   "print(json.dumps([s.encode('utf-16-be').hex().upper() for s in json.load(sys.stdin)]))",
                   texts);
        QCOMPARE(reference.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            const QString text = texts.at(i).toString();
            QCOMPARE(UnicodeHex::toHex(text, false), reference.at(i).toString());
            for (bool prefix : {false, true})
                QCOMPARE(UnicodeHex::fromHex(UnicodeHex::toHex(text, prefix), prefix).text, text);
        }
        QString text;
        for (int i = 0; i < 5000; ++i)
            text += QChar(0x4E00 + i % 0x5000);
        QCOMPARE(UnicodeHex::toHex(text, false).size(), 20000);
        QCOMPARE(UnicodeHex::fromHex(UnicodeHex::toHex(text, false), false).text, text);
    }
};

QTEST_GUILESS_MAIN(TestCryptyCore)
#include "tst_crypty_core.moc"
