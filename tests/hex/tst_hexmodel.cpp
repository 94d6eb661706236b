#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "tests/hex/hexfixtures.h"
#include "tools/hexbytes.h"
#include "tools/hextablemodel.h"

using namespace HexFixtures;

class TestHexModel : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString makeFile(const QString& name, const QString& code)
    {
        const QString path = dir.filePath(name);
        return python(path, code) ? path : QString();
    }

private slots:
    void rowsMatchXxd_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("every-byte-value") << "open(path,'wb').write(bytes(range(256)))";
        QTest::newRow("random-1000") << "open(path,'wb').write(os.urandom(1000))";
        QTest::newRow("empty") << "open(path,'wb').write(b'')";
    }
    void rowsMatchXxd()
    {
        QFETCH(QString, code);
        const QString path = makeFile(QTest::currentDataTag(), code);
        QVERIFY(!path.isEmpty());
        HexTableModel model(readAll(path));
        int row = 0;
        for (const QByteArray& line : run("xxd", {"-g1", "-c16", "-u", path}).split('\n')) {
            if (line.isEmpty())
                continue;
            // "00000010: 41 42 ... 4F  ABCDEFGHIJKLMNO"
            const QList<QByteArray> tokens = line.mid(10, 16 * 3).simplified().split(' ');
            const QByteArray chars = line.mid(10 + 16 * 3 + 1);
            QCOMPARE(model.data(model.index(row, 0)).toString(), QString::fromLatin1(line.left(8)).toUpper());
            for (int i = 0; i < 16; ++i) {
                const bool used = i < tokens.size();
                QCOMPARE(model.data(model.index(row, 1 + i)).toString(),
                         used ? QString::fromLatin1(tokens.at(i)) : QString());
                QCOMPARE(model.data(model.index(row, 17 + i)).toString(),
                         used ? QString(QLatin1Char(chars.at(i))) : QString());
            }
            ++row;
        }
        QCOMPARE(model.rowCount(), row);
    }

    void setData_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("byte"); // byte 1 afterwards (starts as 0x11: refused)
        QTest::newRow("lower-case") << 2 << QVariant("ab") << int(Qt::EditRole) << 0xAB;
        QTest::newRow("one-digit") << 2 << QVariant("7") << int(Qt::EditRole) << 0x07;
        QTest::newRow("empty-text") << 2 << QVariant("") << int(Qt::EditRole) << 0x11;
        QTest::newRow("above-ff") << 2 << QVariant("1FF") << int(Qt::EditRole) << 0x11;
        QTest::newRow("not-hex") << 2 << QVariant("G1") << int(Qt::EditRole) << 0x11;
        QTest::newRow("display-role") << 2 << QVariant("22") << int(Qt::DisplayRole) << 0x11;
        QTest::newRow("character-column") << 18 << QVariant("22") << int(Qt::EditRole) << 0x11;
        QTest::newRow("empty-cell-past-end") << 5 << QVariant("22") << int(Qt::EditRole) << 0x11;
    }
    void setData()
    {
        QFETCH(int, column);
        QFETCH(QVariant, value);
        QFETCH(int, role);
        QFETCH(int, byte);
        const bool accepted = byte != 0x11;
        const QByteArray original("\x00\x11\x22", 3);
        HexTableModel model(original);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex index = model.index(0, column);
        QCOMPARE(model.setData(index, value, role), accepted);
        QCOMPARE(uchar(model.getByteArray().at(1)), uchar(byte));
        QCOMPARE(original.at(1), '\x11'); // the caller's array is never written
        QCOMPARE(changed.size(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(model.data(index).toString(), QString("%1").arg(byte, 2, 16, QChar('0')).toUpper());
    }

    // Every hit, forwards and backwards, as Python finds them; only real bytes count (a NUL
    // pattern never matches behind the last byte).
    void searchMatchesPython_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pythonHex"); // empty: nothing to search for
        auto row = [](const char* tag, const char* text, const char* hex) {
            QTest::newRow(tag) << text << hex;
        };
        row("across-row-end", "DE AD", "DEAD");
        row("lower-case-extra-blanks", " de   ad ", "DEAD");
        row("overlapping-zeros", "00 00", "0000");
        row("one-nul-byte", "00", "00");
        row("one-byte", "41", "41");
        row("blank-only", "   ", "");
        row("four-digit-token", "DEAD", "");
        row("bad-digit", "DE AG", "");
    }
    void searchMatchesPython()
    {
        QFETCH(QString, text);
        QFETCH(QString, pythonHex);
        const QString path = makeFile("search.bin", "d = bytearray(os.urandom(4096))\n"
                                                    "d[15:17] = d[100:102] = d[4094:4096] = b'\\xde\\xad'\n"
                                                    "d[32:36] = b'\\x00\\x00\\x00\\x11'\n"
                                                    "d[200:204] = b'AAAA'\n"
                                                    "open(path,'wb').write(d)");
        QVERIFY(!path.isEmpty());
        const QByteArray bytes = readAll(path);
        HexTableModel model(bytes);
        QList<QModelIndex> expected;
        const QList<qint64> offsets = pythonHex.isEmpty() ? QList<qint64>() : pythonFindAll(path, pythonHex);
        for (qint64 offset : offsets)
            expected << model.index(int(offset / 16), int(offset % 16) + 1);
        QVERIFY(pythonHex.isEmpty() || expected.size() >= 2);
        QCOMPARE(model.search(text, 0, 0), expected);

        QByteArray pattern;
        HexBytes::parsePattern(text, &pattern);
        QCOMPARE(HexBytes::findAll(bytes, pattern), offsets);
        QList<qint64> backwards;
        for (qint64 at = HexBytes::lastIndexOf(bytes, pattern, bytes.size()); at >= 0;
             at = HexBytes::lastIndexOf(bytes, pattern, at - 1))
            backwards.prepend(at);
        QCOMPARE(backwards, offsets);
    }

    void searchFromRowAndEmptyFile()
    {
        QVERIFY(HexTableModel(QByteArray()).search("00", 0, 0).isEmpty());
        QCOMPARE(HexBytes::lastIndexOf(QByteArray(), QByteArray(1, '\0'), 0), -1);
        HexTableModel model(QByteArray(64, '\x41'));
        QCOMPARE(model.search("41 41", 3, 0).size(), 15);
        QVERIFY(model.search("41", 4, 0).isEmpty());
    }

    void diffRowsMatchCmp_data()
    {
        QTest::addColumn<QString>("codeB"); // makes b from a's bytes `d`
        QTest::newRow("word-boundaries")
            << "for o in (0, 63*16+5, 64*16, 127*16+15, 128*16+1, len(d)-1): d[o] ^= 0x5A";
        QTest::newRow("identical") << "pass";
        QTest::newRow("b-longer-by-a-partial-row") << "d += b'\\x00' * 7";
        QTest::newRow("b-shorter-mid-row") << "del d[-23:]";
        QTest::newRow("fully-different") << "d = bytearray(x ^ 0xFF for x in d)";
    }
    void diffRowsMatchCmp()
    {
        QFETCH(QString, codeB);
        const QString a =
            makeFile("a.bin", "random.seed(7)\nopen(path,'wb').write(random.randbytes(200*16+9))");
        const QString b =
            makeFile("b.bin", "d = bytearray(open(path.replace('b.bin','a.bin'),'rb').read())\n" + codeB +
                                  "\nopen(path,'wb').write(d)");
        QVERIFY(!a.isEmpty() && !b.isEmpty());
        const QByteArray bytesA = readAll(a), bytesB = readAll(b);
        QSet<int> expected;
        for (qint64 offset : cmpOffsets(a, b))
            expected << int(offset / 16);
        // cmp stops at the shorter file's end
        for (qint64 o = std::min(bytesA.size(), bytesB.size()); o < std::max(bytesA.size(), bytesB.size());
             ++o)
            expected << int(o / 16);

        const HexRowSet rows = HexBytes::diffRows(bytesA, bytesB);
        QSet<int> got;
        for (int r = rows.nextSet(0); r >= 0; r = rows.nextSet(r + 1))
            got << r;
        QCOMPARE(got, expected);
        QCOMPARE(rows.isEmpty(), expected.isEmpty());
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(HexBytes::rowDiffers(bytesA, bytesB, r), expected.contains(r));
    }
};

QTEST_GUILESS_MAIN(TestHexModel)
#include "tst_hexmodel.moc"
