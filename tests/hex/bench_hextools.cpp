#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/common/benchhelpers.h"
#include "tests/common/modalanswer.h"
#include "tests/hex/hexfixtures.h"
#include "tools/diffwidget.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

using namespace HexFixtures;

namespace {

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

// Figures for two 100 MiB files, sparse and fully different: load and strip, repaint while
// scrolling, search, select-all, and memory beyond the files' bytes.
class BenchHexTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    static constexpr int sizeMiB = 100;

private slots:
    void initTestCase()
    {
        const QString random = QString("open(path,'wb').write(os.urandom(%1 << 20))").arg(sizeMiB);
        QVERIFY(python(dir.filePath("a.bin"), random) && python(dir.filePath("other.bin"), random));
        QVERIFY(python(dir.filePath("sparse.bin"),
                       "d = bytearray(open(path.replace('sparse', 'a'),'rb').read())\n"
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
        const qint64 rssStart = residentKb() / 1024;
        quenlix_hex_tools hex;
        hex.resize(1400, 900);
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
        QElapsedTimer t;
        t.start();
        QVERIFY(hex.loadFile(1, dir.filePath("a.bin")) && hex.loadFile(2, dir.filePath(second)));
        QCoreApplication::processEvents();
        hex.diffWidget->repaint();
        const qint64 rssLoaded = residentKb() / 1024;
        qInfo("%s: open both + strip %lld ms; memory beyond the files %lld MiB", tag, t.elapsed(),
              rssLoaded - rssStart - 2 * sizeMiB);

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
        qInfo("%s: repaint while scrolling: median %.1f ms, worst %.1f ms", tag, all.at(20), all.last());

        for (const QString& text : {"12 34 56 78", "00"}) {
            hex.ui->searchInput->setText(text);
            t.start();
            hex.performSearch();
            const qint64 searchMs = t.elapsed();
            ModalAnswer answer; // without hits: "No results found."
            hex.onNextButtonClicked();
            ModalAnswer again;
            hex.onPrevButtonClicked(); // from the first hit: back to the last one, through both files
            qInfo("%s: search \"%s\" %lld ms (hit: %s), next+prev %lld ms", tag, qPrintable(text), searchMs,
                  hex.currentHitSide ? "yes" : "none", t.elapsed() - searchMs);
        }
        t.start();
        hex.ui->tableView1->selectAll();
        const qint64 selectMs = t.elapsed(); // before the repaint below is timed
        qInfo("%s: select-all %lld ms, repaint %.1f ms; memory now +%lld MiB", tag, selectMs, repaintMs(hex),
              residentKb() / 1024 - rssLoaded);
    }
};

QTEST_MAIN(BenchHexTools)
#include "bench_hextools.moc"
