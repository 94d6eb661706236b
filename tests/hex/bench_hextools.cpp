#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/common/modalanswer.h"
#include "tests/hex/hexfixtures.h"
#include "tools/diffwidget.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

using namespace HexFixtures;

namespace {

qint64 rssMiB()
{
    for (const QByteArray& line : readAll("/proc/self/status").split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.simplified().split(' ').at(1).toLongLong() / 1024;
    return -1;
}

double repaintMs(quenlix_hex_tools& hex)
{
    QElapsedTimer t;
    t.start();
    hex.ui->tableView1->viewport()->repaint();
    hex.ui->tableView2->viewport()->repaint();
    hex.diffWidget->repaint();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

// Figures for two 100 MiB files: load and strip, repaint while scrolling,
// search, and memory beyond the files' bytes.
class BenchHexTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    static constexpr int size = 100 * 1024 * 1024;

private slots:
    void initTestCase()
    {
        const QString random = QStringLiteral("open(path,'wb').write(os.urandom(%1))").arg(size);
        QVERIFY(python(dir.filePath("a.bin"), random));
        QVERIFY(python(dir.filePath("other.bin"), random));
        QVERIFY(python(dir.filePath("sparse.bin"),
                       "d = bytearray(open(path.replace('sparse.bin','a.bin'),'rb').read())\n"
                       "for o in range(0, len(d), 1000003): d[o] ^= 0xFF\n"
                       "open(path,'wb').write(d)"));
    }

    void pair_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("sparse-differences") << "sparse.bin";
        QTest::newRow("fully-different") << "other.bin";
    }
    void pair()
    {
        QFETCH(QString, second);
        const char* tag = QTest::currentDataTag();
        const qint64 rssStart = rssMiB();
        quenlix_hex_tools hex;
        hex.resize(1400, 900);
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));

        QElapsedTimer t;
        t.start();
        QVERIFY(hex.loadFile(1, dir.filePath("a.bin")));
        QVERIFY(hex.loadFile(2, dir.filePath(second)));
        QCoreApplication::processEvents();
        hex.diffWidget->repaint();
        const qint64 openMs = t.elapsed();
        const qint64 rssLoaded = rssMiB();
        qInfo("%s: open both + strip %lld ms; memory beyond the files %lld MiB", tag, openMs,
              rssLoaded - rssStart - 2 * size / (1024 * 1024));

        repaintMs(hex); // warm-up: glyph caches
        QList<double> all;
        QScrollBar* bar = hex.ui->tableView1->verticalScrollBar();
        for (int i = 0; i < 40; ++i) { // dragging the bar through the files, then paging
            if (i < 20)
                bar->setValue(int(qint64(bar->maximum()) * i / 19));
            else
                QTest::keyClick(hex.ui->tableView1, Qt::Key_PageDown);
            all << repaintMs(hex);
        }
        std::sort(all.begin(), all.end());
        qInfo("%s: repaint of both tables and the strip while scrolling: median %.1f ms, worst %.1f ms", tag,
              all.at(all.size() / 2), all.last());

        for (const QString& text : {"12 34 56 78", "00", "   "}) {
            hex.ui->searchInput->setText(text);
            t.start();
            hex.performSearch();
            const qint64 searchMs = t.elapsed();
            ModalAnswer answer; // blank text: "No results found."
            t.start();
            hex.onNextButtonClicked();
            const qint64 nextMs = t.elapsed();
            ModalAnswer again;
            t.start();
            hex.onPrevButtonClicked(); // from the first hit: back to the last one, through both files
            qInfo(
                "%s: search \"%s\" over both files %lld ms (hit: %s), next %lld ms, prev %lld ms; memory now "
                "+%lld MiB",
                tag, qPrintable(text), searchMs, hex.currentHitSide ? "yes" : "none", nextMs, t.elapsed(),
                rssMiB() - rssLoaded);
        }
        t.start();
        hex.ui->tableView1->selectAll();
        const qint64 selectMs = t.elapsed();
        qInfo("%s: select-all %lld ms, repaint %.1f ms; memory now +%lld MiB", tag, selectMs, repaintMs(hex),
              rssMiB() - rssLoaded);
    }
};

QTEST_MAIN(BenchHexTools)
#include "bench_hextools.moc"
