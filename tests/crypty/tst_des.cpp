#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include "tests/common/shareddata.h"
#include "tools/des.h"

namespace {

enum Variant { Single, TwoKey, ThreeKey };

using Op = void (*)(unsigned char*, unsigned char*, const unsigned char*);

Op operation(Variant v, bool encrypt)
{
    static const Op enc[] = {One_DES_IV_Encrypt_Block, Two_DES_IV_Encrypt_Block, Three_DES_IV_Encrypt_Block};
    static const Op dec[] = {One_DES_IV_Decode_Block, Two_DES_IV_Decode_Block, Three_DES_IV_Decode_Block};
    return (encrypt ? enc : dec)[v];
}

// Runs the variant over every 8-byte block of `data`; chains through `iv` when it is not empty.
QByteArray run(Variant v, bool encrypt, const QByteArray& key, const QByteArray& data,
               QByteArray* iv = nullptr)
{
    QByteArray out = data;
    auto* k = reinterpret_cast<const unsigned char*>(key.constData());
    unsigned char* chain = (iv && !iv->isEmpty()) ? reinterpret_cast<unsigned char*>(iv->data()) : nullptr;
    for (int i = 0; i + 8 <= out.size(); i += 8)
        operation(v, encrypt)(chain, reinterpret_cast<unsigned char*>(out.data()) + i, k);
    return out;
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// Records of a NIST .rsp file: each a map of field name to value, plus "DIRECTION".
QList<QMap<QByteArray, QByteArray>> readRsp(const QString& path)
{
    QList<QMap<QByteArray, QByteArray>> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return records;
    QByteArray direction;
    QMap<QByteArray, QByteArray> current;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line == "[ENCRYPT]" || line == "[DECRYPT]") {
            direction = line.mid(1, 7);
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray name = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (name == "COUNT") {
            if (!current.isEmpty())
                records.append(current);
            current.clear();
            current.insert("DIRECTION", direction);
        }
        current.insert(name, value);
    }
    if (!current.isEmpty())
        records.append(current);
    return records;
}

// OpenSSL's enc filter over raw bytes; empty on failure.
QByteArray openssl(const QString& cipher, const QByteArray& key, const QByteArray& iv,
                   const QByteArray& input)
{
    QStringList args{"enc",    "-" + cipher, "-K",     QString::fromLatin1(key.toHex()),
                     "-nopad", "-provider",  "legacy", "-provider",
                     "default"};
    if (!iv.isEmpty())
        args << "-iv" << QString::fromLatin1(iv.toHex());
    QProcess p;
    p.start(QStringLiteral("openssl"), args);
    if (!p.waitForStarted(5000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

QByteArray randomBytes(QRandomGenerator& rng, int n)
{
    QByteArray b(n, '\0');
    for (char& c : b)
        c = static_cast<char>(rng.bounded(256));
    return b;
}

} // namespace

class TestDes : public QObject
{
    Q_OBJECT
private slots:
    void knownAnswers_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("iv");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        const QByteArray nowIsTheTime = "Now is the time for all ";
        QTest::newRow("worked-example") << int(Single) << hex("133457799BBCDFF1") << QByteArray()
                                        << hex("0123456789ABCDEF") << hex("85E813540F0AB405");
        QTest::newRow("ecb-now-is-the-time")
            << int(Single) << hex("0123456789abcdef") << QByteArray() << nowIsTheTime
            << hex("3fa40e8a984d48156a271787ab8883f9893d51ec4b563b53");
        QTest::newRow("cbc-now-is-the-time")
            << int(Single) << hex("0123456789abcdef") << hex("1234567890abcdef") << nowIsTheTime
            << hex("e5c7cdde872bf27c43e934008c389c0f683788499a7c05f6");
    }

    void knownAnswers()
    {
        QFETCH(int, variant);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, iv);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        const auto v = Variant(variant);

        QByteArray chain = iv;
        QCOMPARE(run(v, true, key, plain, &chain).toHex(), cipher.toHex());
        if (!iv.isEmpty()) // ready for the next block: holds the last ciphertext
            QCOMPARE(chain.toHex(), cipher.right(8).toHex());

        chain = iv;
        QCOMPARE(run(v, false, key, cipher, &chain), plain);
        if (!iv.isEmpty())
            QCOMPARE(chain.toHex(), cipher.right(8).toHex());
    }

    void nistVectors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("variable-text") << "TCBCvartext.rsp";
        QTest::newRow("inverse-permutation") << "TCBCinvperm.rsp";
        QTest::newRow("permutation-operation") << "TCBCpermop.rsp";
        QTest::newRow("two-key-multi-block") << "TECBMMT2.rsp";
    }

    // Single-key files (KEYs) also run as two-key and three-key triple DES with all
    // keys equal, which must reduce to single DES.
    void nistVectors()
    {
        QFETCH(QString, file);
        const QString dir = sharedTestData("des");
        if (dir.isEmpty())
            QSKIP("shared test data not present");
        const auto records = readRsp(QDir(dir).filePath(file));
        QVERIFY2(records.size() >= 20, qPrintable(file));
        for (const auto& r : records) {
            const QByteArray plain = QByteArray::fromHex(r.value("PLAINTEXT"));
            const QByteArray cipher = QByteArray::fromHex(r.value("CIPHERTEXT"));
            const bool encrypt = r.value("DIRECTION") == "ENCRYPT";
            const QByteArray& in = encrypt ? plain : cipher;
            const QByteArray& expected = encrypt ? cipher : plain;
            const QByteArray where =
                file.toLatin1() + " " + r.value("DIRECTION") + " COUNT " + r.value("COUNT");
            QVERIFY2(!in.isEmpty() && in.size() % 8 == 0, where.constData());
            if (r.contains("KEYs")) {
                const QByteArray k = QByteArray::fromHex(r.value("KEYs"));
                QVERIFY2(run(Single, encrypt, k, in) == expected, where.constData());
                QVERIFY2(run(TwoKey, encrypt, k + k, in) == expected, where.constData());
                QVERIFY2(run(ThreeKey, encrypt, k + k + k, in) == expected, where.constData());
            } else {
                const QByteArray k1 = QByteArray::fromHex(r.value("KEY1"));
                const QByteArray k2 = QByteArray::fromHex(r.value("KEY2"));
                const QByteArray k3 = QByteArray::fromHex(r.value("KEY3"));
                QVERIFY2(k3 == k1, where.constData());
                QVERIFY2(run(TwoKey, encrypt, k1 + k2, in) == expected, where.constData());
                QVERIFY2(run(ThreeKey, encrypt, k1 + k2 + k3, in) == expected, where.constData());
            }
        }
    }

    void opensslBatches_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<bool>("cbc");
        QTest::newRow("des-ecb") << int(Single) << "des-ecb" << false;
        QTest::newRow("des-cbc") << int(Single) << "des-cbc" << true;
        QTest::newRow("two-key-ecb") << int(TwoKey) << "des-ede-ecb" << false;
        QTest::newRow("two-key-cbc") << int(TwoKey) << "des-ede-cbc" << true;
        QTest::newRow("three-key-ecb") << int(ThreeKey) << "des-ede3-ecb" << false;
        QTest::newRow("three-key-cbc") << int(ThreeKey) << "des-ede3-cbc" << true;
    }

    // Random keys and messages (fixed seed), each enciphered by OpenSSL and by the library.
    void opensslBatches()
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
            const QByteArray reference = openssl(cipher, key, iv, plain);
            const QByteArray where = cipher.toLatin1() + " key " + key.toHex();
            QVERIFY2(reference.size() == plain.size(), where.constData());

            QByteArray chain = iv;
            QVERIFY2(run(v, true, key, plain, &chain) == reference, where.constData());
            // The least significant bit of each key byte is parity and changes nothing.
            QByteArray parityFlipped = key;
            for (char& c : parityFlipped)
                c ^= 1;
            QVERIFY2(run(v, true, parityFlipped, plain) == run(v, true, key, plain), where.constData());
            QByteArray back = iv;
            QVERIFY2(run(v, false, key, reference, &back) == plain, where.constData());
            if (cbc) {
                QCOMPARE(chain, reference.right(8));
                QCOMPARE(back, reference.right(8));
            }
        }
    }

    // A null key changes nothing: not the block, not the iv, not the scheduled key.
    void nullKeyChangesNothing()
    {
        const QByteArray key = hex("133457799BBCDFF1");
        for (Variant v : {Single, TwoKey, ThreeKey}) {
            for (bool encrypt : {true, false}) {
                Set_One_DES_64bitKey(reinterpret_cast<const unsigned char*>(key.constData()));
                QByteArray block = hex("0123456789ABCDEF");
                QByteArray iv = hex("1234567890ABCDEF");
                operation(v, encrypt)(reinterpret_cast<unsigned char*>(iv.data()),
                                      reinterpret_cast<unsigned char*>(block.data()), nullptr);
                QCOMPARE(block, hex("0123456789ABCDEF"));
                QCOMPARE(iv, hex("1234567890ABCDEF"));
                // Still the schedule of `key`: its known answer comes out, in place.
                auto* b = reinterpret_cast<unsigned char*>(block.data());
                DES_Encrypt_Block(b, b);
                QCOMPARE(block.toHex(), QByteArray("85e813540f0ab405"));
                DES_Decode_Block(b, b);
                QCOMPARE(block.toHex(), QByteArray("0123456789abcdef"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDes)
#include "tst_des.moc"
