#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/toolswitches.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/press.h"
#include "tests/common/shareddata.h"
#include "tests/common/testhome.h"
#include "tools/crypty_core.h"
#include "tools/des.h"
#include "tools/documenttext.h"
#include "tools/unicode_core.h"

using CryptyCore::Base64Failure;
using CryptyCore::DesFailure;
using UnicodeHex::Failure;

// clang-format off
struct DesCase { int mode; QString key, data; bool encrypt; DesFailure failure; QString result; };
struct Base64Case { QString base64; Base64Failure failure; QString text; bool canonical = false; };
struct HexCase { QString input; bool prefix; Failure failure; QString text, group; int position; };
// clang-format on
Q_DECLARE_METATYPE(DesCase)
Q_DECLARE_METATYPE(Base64Case)
Q_DECLARE_METATYPE(HexCase)

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

using Fields = QList<QPair<QString, QVariant>>;
Q_DECLARE_METATYPE(Fields)

// The cipher, Base64 and Unicode code against published vectors, NIST files, OpenSSL,
// coreutils and Python; then the two tabs' fields, buttons and warnings.
class TestCrypty : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<MainWindow> window;
    Ui_MainWindow* ui = nullptr;

    template <typename T> T* widget(const QString& name)
    {
        T* w = window->findChild<T*>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }

    void setField(const QString& name, const QVariant& value)
    {
        if (auto* combo = window->findChild<QComboBox*>(name))
            combo->setCurrentIndex(value.toInt());
        else if (auto* box = window->findChild<QCheckBox*>(name))
            box->setChecked(value.toBool());
        else if (auto* line = window->findChild<QLineEdit*>(name))
            line->setText(value.toString());
        else
            widget<QTextEdit>(name)->setPlainText(value.toString());
    }

    QString text(const QString& name)
    {
        if (auto* line = window->findChild<QLineEdit*>(name))
            return line->text();
        return rawDocumentText(widget<QTextEdit>(name)->document());
    }

private slots:
    void initTestCase()
    {
        home = std::make_unique<TestHome>();
        QList<QPair<QString, QString>> off;
        for (const QString& key : ToolSwitches::keys()) {
            if (key != QLatin1String("UNICODE") && key != QLatin1String("Crypty"))
                off.append({key, QStringLiteral("false")});
        }
        home->writeSettings(off);
        window = std::make_unique<MainWindow>();
        ui = window->ui;
        QCOMPARE(window->startedTools, QStringList({"Unicode", "Crypty"}));
        window->show();
    }

    void cleanupTestCase()
    {
        window.reset();
        home.reset();
    }

    // Every warning of both pages, and valid input that opens none.
    void buttons_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const Fields& fields, const char* button, const char* output,
                            const char* warning, const QString& expected) {
            QTest::newRow(name) << fields << QString(button) << QString(output) << QString(warning)
                                << expected;
        };
        const auto des = [](int mode, const QString& key, const QString& data) {
            return Fields{{"DEScomboBox", mode}, {"DeslineEdit_KEY", key}, {"DeslineEdit_Data", data}};
        };
        const QString k16 = "133457799BBCDFF1";
        const char *enc = "DespushButton_Encryption", *dec = "DespushButton_Decryption",
                   *res = "DeslineEdit_Result";
        row("des-empty-key-before-bad-data", des(0, "", "zz"), enc, res, "Error for Data", "");
        row("des-bad-key-and-bad-data", des(0, "G33457799BBCDFF1", "0x0123456789ABCD"), enc, res,
            "Please enter '0' - '9', 'A' - 'F'", "");
        row("des-decrypt", des(1, k16 + k16, "85E813540F0AB405"), dec, res, "", "0123456789ABCDEF");

        const char* source = "base64_source_textBrowser";
        const char *encode = "base64_encode_pushButton", *decode = "base64_decode_pushButton";
        const char* b64 = "base64_to_textBrowser";
        // No-break space and line separator reach the encoder as typed (coreutils base64).
        row("base64-encode-raw-characters", {{source, QString::fromUtf8("a\u00A0b\u2028c\nd")}}, encode, b64,
            "", "YcKgYuKAqGMKZA==");
        row("base64-decode-lines", {{source, "PGI+eDwv\nYj4="}}, decode, b64, "", "<b>x</b>");
        row("base64-invalid", {{source, "Zm9v!mFy"}}, decode, b64, "Invalid Base64 text.", "");
        row("base64-not-utf8", {{source, "/w=="}}, decode, b64, "The decoded data is not UTF-8 text.", "");

        const auto unicode = [](bool prefix, const char* hex) {
            return Fields{{"UnicodecheckBox", prefix}, {"UnicodetextEdit", hex}};
        };
        const char *toText = "UtoSpushButton", *view = "UnicodetextBrowser";
        // Markup, line breaks and separators come out as typed characters.
        row("unicode-to-text-raw", unicode(false, "003C0062003E000A00A02028"), toText, view, "",
            QString::fromUtf8("<b>\n\u00A0\u2028"));
        row("unicode-prefix-unticked", unicode(false, "\\U0041"), toText, view,
            "Invalid hexadecimal group \"\\U00\" at position 1.", "");
        row("unicode-from-lines-and-separators", unicode(false, "A\nB\u00A0\u2028"), "StoUpushButton", view,
            "", "0041000A004200A02028");
    }

    // A warning is modal, titled "warning:" with one OK, and leaves the output as it was;
    // the inputs are never rewritten.
    void buttons()
    {
        QFETCH(Fields, fields);
        QFETCH(QString, button);
        QFETCH(QString, output);
        QFETCH(QString, warning);
        QFETCH(QString, expected);
        for (const auto& f : fields)
            setField(f.first, f.second);
        setField(output, QStringLiteral("previous"));

        ModalAnswer answer(QStringLiteral("OK"), 2000);
        press(widget<QPushButton>(button));

        QCOMPARE(answer.seen(), !warning.isEmpty());
        if (answer.seen()) {
            QCOMPARE(answer.title(), QStringLiteral("warning:"));
            QCOMPARE(answer.text(), warning);
            QCOMPARE(answer.buttons(), QStringList{"OK"});
        }
        QCOMPARE(text(output), warning.isEmpty() ? expected : QStringLiteral("previous"));
        for (const auto& f : fields) {
            if (f.second.typeId() == QMetaType::QString)
                QCOMPARE(text(f.first), f.second.toString());
        }
    }

    // The count fields follow typing and the cut a shorter mode makes.
    void countFieldsFollowEveryChange()
    {
        ui->DEScomboBox->setCurrentIndex(2);
        ui->DeslineEdit_KEY->clear();
        ui->DeslineEdit_Data->clear();
        QTest::keyClicks(ui->DeslineEdit_KEY, QString("0123456789ABCDEF").repeated(4));
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QStringLiteral("48"));
        QTest::keyClicks(ui->DeslineEdit_Data, QStringLiteral("0123456789ABCDEF01"));
        QCOMPARE(ui->DeslineEdit_Datalen->text(), QStringLiteral("16"));

        ui->DEScomboBox->setCurrentIndex(0);
        QCOMPARE(ui->DeslineEdit_KEY->text(), QStringLiteral("0123456789ABCDEF"));
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QStringLiteral("16"));
    }

    // One row per rule of the cipher fields, in the order the rules are checked.
    void desFields_data()
    {
        QTest::addColumn<DesCase>("c");
        const QString k16 = "133457799BBCDFF1", d16 = "0123456789ABCDEF";
        // clang-format off
        QTest::newRow("3DES-with-32-digit-key") << DesCase{2, k16 + k16, d16, true, DesFailure::BadLength, ""};
        QTest::newRow("length-before-digits") << DesCase{1, "XYZ", d16, true, DesFailure::BadLength, ""};
        QTest::newRow("non-latin1-key")
            << DesCase{0, "133457799BBCDFF" + QString(QChar(0x4E2D)), d16, true, DesFailure::NotHex, ""};
        QTest::newRow("lower-case-in-upper-out")
            << DesCase{0, k16.toLower(), d16.toLower(), true, DesFailure::None, "85E813540F0AB405"};
        // Reference value: OpenSSL des-ede-ecb with the first 32 digits.
        QTest::newRow("3DES-k3-is-k1-is-2DES") << DesCase{2, "0123456789ABCDEFFEDCBA98765432100123456789ABCDEF",
                                                          d16, true, DesFailure::None, "1A4D672DCA6CB335"};
        // clang-format on
    }
    void desFields()
    {
        QFETCH(DesCase, c);
        const CryptyCore::DesResult r = CryptyCore::desBlock(c.mode, c.key, c.data, c.encrypt);
        QCOMPARE(r.failure, c.failure);
        QCOMPARE(r.text, c.result);
    }

    // Published vectors: "Now is the time" in ECB and in CBC (the iv ends as the last ciphertext).
    void desKnownAnswers()
    {
        const QByteArray key = QByteArray::fromHex("0123456789abcdef"), plain = "Now is the time for all ";
        const QByteArray cbcIv = QByteArray::fromHex("1234567890abcdef");
        for (const QByteArray& iv : {QByteArray(), cbcIv}) {
            const QByteArray cipher =
                QByteArray::fromHex(iv.isEmpty() ? "3fa40e8a984d48156a271787ab8883f9893d51ec4b563b53"
                                                 : "e5c7cdde872bf27c43e934008c389c0f683788499a7c05f6");
            for (bool encrypt : {true, false}) {
                QByteArray chain = iv;
                QCOMPARE(run(Single, encrypt, key, encrypt ? plain : cipher, &chain),
                         encrypt ? cipher : plain);
                QCOMPARE(chain, iv.isEmpty() ? iv : cipher.right(8));
            }
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

    // RFC 4648 test vectors and UTF-8 text (coreutils base64) both ways; then what decoding
    // accepts and refuses. `canonical`: the text encodes back to exactly this Base64.
    void base64_data()
    {
        QTest::addColumn<Base64Case>("c");
        for (const char* t : {"", "f", "fo", "foo", "foobar"})
            QTest::newRow(t) << Base64Case{QByteArray(t).toBase64(), Base64Failure::None, t, true};
        // clang-format off
        QTest::newRow("non-ascii") << Base64Case{"5Lit5paH", Base64Failure::None, QString::fromUtf8("中文"), true};
        QTest::newRow("broken-over-lines") << Base64Case{"Zm9v\nYmFy\r\n", Base64Failure::None, "foobar"};
        QTest::newRow("non-canonical-last-bits") << Base64Case{"YR==", Base64Failure::None, "a"};
        QTest::newRow("byte-order-mark-kept")
            << Base64Case{"77u/YQ==", Base64Failure::None, QChar(0xFEFF) + QString("a"), true};
        QTest::newRow("non-ascii-char") << Base64Case{QString::fromUtf8("Zm9vé==="), Base64Failure::InvalidBase64};
        QTest::newRow("encoded-surrogate") << Base64Case{"7aCA", Base64Failure::NotUtf8};
        // clang-format on
    }
    void base64()
    {
        QFETCH(Base64Case, c);
        const CryptyCore::Base64Result r = CryptyCore::base64Decode(c.base64);
        QCOMPARE(r.failure, c.failure);
        QCOMPARE(r.text, c.text);
        if (c.canonical)
            QCOMPARE(CryptyCore::base64Encode(c.text), c.base64);
    }

    // Random, partly damaged Base64 against Python's strict decoder and coreutils (white
    // space removed first): valid only where both accept it.
    void base64DecodeMatchesReference()
    {
        QRandomGenerator rng(0xB64u);
        QJsonArray sources;
        for (int i = 0; i < 120; ++i) {
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
        QVERIFY(invalid > 12 && invalid < 108); // both outcomes well represented
    }

    // Position counts in the input as typed, prefixes included.
    void unicodeFromHex_data()
    {
        QTest::addColumn<HexCase>("c");
        const QString aZhong = QString::fromUtf8("A中");
        // clang-format off
        QTest::newRow("plain") << HexCase{"00414E2D", false, Failure::None, aZhong, "", 0};
        QTest::newRow("mixed-prefixes") << HexCase{"\\U0041\\u4E2D", true, Failure::None, aZhong, "", 0};
        QTest::newRow("trailing-partial") << HexCase{"00410", false, Failure::IncompleteGroup, "", "0", 5};
        QTest::newRow("blank-inside") << HexCase{"0041 4E2D", false, Failure::InvalidGroup, "", " 4E2", 5};
        QTest::newRow("bad-group-after-prefixes")
            << HexCase{"\\U0041\\uZZ41", true, Failure::InvalidGroup, "", "ZZ41", 9};
        QTest::newRow("partial-after-prefix") << HexCase{"\\U0041\\U41", true, Failure::IncompleteGroup, "", "41", 9};
        // clang-format on
    }
    void unicodeFromHex()
    {
        QFETCH(HexCase, c);
        const UnicodeHex::Decoded d = UnicodeHex::fromHex(c.input, c.prefix);
        QCOMPARE(d.failure, c.failure);
        QCOMPARE(d.text, c.text);
        QCOMPARE(d.group, c.group);
        QCOMPARE(d.position, c.position);
    }

    // Random text against Python's UTF-16BE, then back, with and without group prefixes;
    // long input is converted whole, nothing cut.
    void unicodeMatchesPython()
    {
        QRandomGenerator rng(0x16u);
        QJsonArray texts;
        for (int i = 0; i < 60; ++i)
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

QTEST_MAIN(TestCrypty)
#include "tst_crypty.moc"
