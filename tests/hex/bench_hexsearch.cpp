#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <string.h> // memmem

#include <unistd.h>

#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

namespace {

// A file of `size` bytes of `fill` with `pattern` once in its middle. Zeros are left sparse:
// they read at memory speed and take no disk.
bool writeImage(const QString& path, qint64 size, char fill, const QByteArray& pattern)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (fill == 0) {
        if (!f.resize(size))
            return false;
    } else {
        const QByteArray block(1 << 20, fill);
        for (qint64 left = size; left > 0; left -= block.size())
            if (f.write(block.constData(), std::min<qint64>(left, block.size())) < 0)
                return false;
    }
    return f.seek(size / 2) && f.write(pattern) == pattern.size();
}

// The peer: every occurrence in `data` with glibc's memmem, forwards.
qint64 memmemCount(const QByteArray& data, const QByteArray& pattern)
{
    qint64 count = 0;
    const char* end = data.constData() + data.size();
    for (const char* at = data.constData(); at < end; ++count) {
        const void* hit = memmem(at, size_t(end - at), pattern.constData(), size_t(pattern.size()));
        if (!hit)
            break;
        at = static_cast<const char*>(hit) + 1;
    }
    return count;
}

double msSince(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

// Room for the tool's copy of both files with a gigabyte to spare?
bool memoryAllows(qint64 bytes)
{
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    return pages > 0 && qint64(pages) * sysconf(_SC_PAGESIZE) > bytes + (qint64(1) << 30);
}

} // namespace

// Search, Next and Prev of the hex tool over two degenerate images (erased flash, zeros)
// against glibc memmem over the same buffers in the same run.
class BenchHexSearch : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void search_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("fill");
        QTest::addColumn<QString>("text");
        QTest::newRow("erased-flash-64MiB-FF-00-12") << (qint64(64) << 20) << 0xFF << "FF 00 12";
        qint64 zeros = qint64(1) << 30;
        while (zeros > (qint64(64) << 20) && !memoryAllows(2 * zeros))
            zeros /= 2;
        QTest::addRow("zeros-%lldMiB-00-01", zeros >> 20) << zeros << 0 << "00 01";
    }
    void search()
    {
        QFETCH(qint64, size);
        QFETCH(int, fill);
        QFETCH(QString, text);
        const char* tag = QTest::currentDataTag();
        QByteArray pattern;
        for (const QString& token : text.split(' '))
            pattern.append(char(token.toInt(nullptr, 16)));
        const QString a = dir.filePath("a.bin"), b = dir.filePath("b.bin");
        QVERIFY(writeImage(a, size, char(fill), pattern) && writeImage(b, size, char(fill), pattern));

        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, a) && hex.loadFile(2, b));
        const QByteArray& one = hex.model1->getByteArray();
        const QByteArray& two = hex.model2->getByteArray();
        hex.ui->searchInput->blockSignals(true); // the search is timed below, not after a typing pause
        hex.ui->searchInput->setText(text);
        hex.ui->searchInput->blockSignals(false);

        QElapsedTimer t;
        for (int round = 0; round < 2; ++round) { // the first round warms caches
            // The peer: every hit of both files, one forward pass each.
            t.start();
            const qint64 hits = memmemCount(one, pattern) + memmemCount(two, pattern);
            const double peerMs = msSince(t);
            QCOMPARE(hits, 2);

            t.start();
            hex.performSearch();
            const double searchMs = msSince(t);
            QCOMPARE(hex.currentHitSide, 1);
            QCOMPARE(hex.currentHitOffset, size / 2);

            // Next twice and Prev twice each walk the whole of both files once.
            t.start();
            hex.onNextButtonClicked();
            QCOMPARE(hex.currentHitSide, 2);
            hex.onNextButtonClicked();
            const double nextMs = msSince(t);
            QCOMPARE(hex.currentHitSide, 1);
            t.start();
            hex.onPrevButtonClicked();
            QCOMPARE(hex.currentHitSide, 2);
            hex.onPrevButtonClicked();
            const double prevMs = msSince(t);
            QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), qMakePair(1, size / 2));
            if (round == 0)
                continue;
            qInfo("%s: memmem over both files %.1f ms | tool: search %.1f ms (x%.2f), "
                  "Next around both %.1f ms (x%.2f), Prev around both %.1f ms (x%.2f)",
                  tag, peerMs, searchMs, searchMs / peerMs, nextMs, nextMs / peerMs, prevMs, prevMs / peerMs);
        }
    }
};

QTEST_MAIN(BenchHexSearch)
#include "bench_hexsearch.moc"
