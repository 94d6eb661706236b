#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/common/modalanswer.h"
#include "tests/hex/hexfixtures.h"
#include "tools/diffwidget.h"
#include "tools/hexitemdelegate.h"
#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

using namespace HexFixtures;

namespace {

QList<int> selectedRows(QTableView* view)
{
    QList<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows << index.row();
    return rows;
}

} // namespace

class TestHexNavigation : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString file1, file2;

    // Random bytes without 0xDE, with DE AD planted (one pair across a row end).
    QString plantedFile(const QString& name, int seed, const QString& offsets)
    {
        const QString path = dir.filePath(name);
        const bool ok = python(path, QStringLiteral("import random\nrandom.seed(%1)\n"
                                                    "d = bytearray(b if b != 0xDE else 0 for b in "
                                                    "random.randbytes(4096))\n"
                                                    "for o in (%2,): d[o:o+2] = b'\\xde\\xad'\n"
                                                    "open(path,'wb').write(d)")
                                         .arg(seed)
                                         .arg(offsets));
        return ok ? path : QString();
    }

    void showLoaded(quenlix_hex_tools& hex, bool withFile1 = true)
    {
        hex.resize(1200, 600);
        if (withFile1)
            QVERIFY(hex.loadFile(1, file1));
        QVERIFY(hex.loadFile(2, file2));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
    }

private slots:
    void initTestCase()
    {
        file1 = plantedFile("one.bin", 21, "15, 100, 2000");  // 15: across rows 0 and 1
        file2 = plantedFile("two.bin", 22, "47, 3000, 4094"); // 47: across rows 2 and 3
        QVERIFY(!file1.isEmpty() && !file2.isEmpty());
    }

    void gotoRow_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("row");
        QTest::newRow("10") << "10" << 1;
        QTest::newRow("1F") << "1F" << 1;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("lower-case-with-blanks") << " a0f " << 0xA0;
    }
    void gotoRow()
    {
        QFETCH(QString, address);
        QFETCH(int, row);
        quenlix_hex_tools hex;
        showLoaded(hex);
        hex.ui->addressInput->setText(address);
        hex.ui->gotoButton->click();
        for (QTableView* view : {hex.ui->tableView1, hex.ui->tableView2}) {
            QCOMPARE(selectedRows(view), QList<int>{row});
            QCOMPARE(view->rowAt(0), row);
        }
        QCOMPARE(hex.delegate->highlighted(), row);
    }

    void gotoRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString invalid = "Please enter a valid hexadecimal address.";
        QTest::newRow("empty") << ""
                               << "Invalid Address" << invalid;
        QTest::newRow("not-hex") << "12G"
                                 << "Invalid Address" << invalid;
        QTest::newRow("minus-one") << "-1"
                                   << "Invalid Address" << invalid;
        QTest::newRow("minus-two") << "-2"
                                   << "Invalid Address" << invalid;
        QTest::newRow("beyond-int") << "80000000"
                                    << "Invalid Address" << invalid;
        QTest::newRow("past-file-1") << "1000"
                                     << "Invalid Address"
                                     << "Address 1000 is beyond the end of file 1.";
    }
    void gotoRefused()
    {
        QFETCH(QString, address);
        QFETCH(QString, title);
        QFETCH(QString, text);
        quenlix_hex_tools hex;
        showLoaded(hex);
        hex.ui->addressInput->setText(address);
        ModalAnswer answer;
        hex.ui->gotoButton->click();
        QCOMPARE(answer.title(), title);
        QCOMPARE(answer.text(), text);
        QVERIFY(!hex.ui->tableView1->selectionModel()->hasSelection());
    }

    void gotoWithoutFile1()
    {
        quenlix_hex_tools hex;
        showLoaded(hex, false);
        hex.ui->addressInput->setText("10");
        ModalAnswer answer;
        hex.ui->gotoButton->click();
        QCOMPARE(answer.title(), "Warning");
        QCOMPARE(answer.text(), "No file 1 loaded.");
    }

    void searchWalksBothFilesAndWraps()
    {
        QList<QPair<int, qint64>> expected;
        for (qint64 o : pythonFindAll(file1, "DEAD"))
            expected << qMakePair(1, o);
        for (qint64 o : pythonFindAll(file2, "DEAD"))
            expected << qMakePair(2, o);
        QCOMPARE(expected.size(), 6);

        quenlix_hex_tools hex;
        showLoaded(hex);
        QTest::keyClicks(hex.ui->searchInput, "de ad");
        QTRY_COMPARE(hex.currentHitSide, 1); // after the typing pause
        QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), expected.first());
        QCOMPARE(selectedRows(hex.ui->tableView1), QList<int>{0});

        // The strip marks every row holding the start of a hit.
        HexRowSet marks = hex.diffWidget->searchRows();
        QList<int> markedRows;
        for (int r = marks.nextSet(0); r >= 0; r = marks.nextSet(r + 1))
            markedRows << r;
        QList<int> hitRows;
        for (const auto& hit : expected)
            hitRows << int(hit.second / 16);
        std::sort(hitRows.begin(), hitRows.end());
        QCOMPARE(markedRows, hitRows);

        for (int i = 1; i <= expected.size(); ++i) {
            hex.ui->nextButton->click();
            const auto& want = expected.at(i % expected.size()); // the last Next wraps to the first
            QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), want);
            const int row = int(want.second / 16);
            QCOMPARE(hex.delegate->highlighted(), row);
            QCOMPARE(selectedRows(want.first == 1 ? hex.ui->tableView1 : hex.ui->tableView2),
                     QList<int>{row});
        }
        hex.ui->prevButton->click();
        QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), expected.last());
        hex.ui->prevButton->click();
        QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), expected.at(expected.size() - 2));
    }

    void searchWithOnlyFile2()
    {
        quenlix_hex_tools hex;
        showLoaded(hex, false);
        hex.ui->searchInput->setText("DE AD");
        hex.ui->nextButton->click(); // searches at once, then steps to the second hit
        QCOMPARE(hex.currentHitSide, 2);
        QCOMPARE(hex.currentHitOffset, pythonFindAll(file2, "DEAD").at(1));
    }

    void searchWithoutResult_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("message");
        const QString none = "No results found.";
        QTest::newRow("absent-bytes") << "DE DE DE" << false << none;
        QTest::newRow("blank-only") << "   " << false << none;
        QTest::newRow("single-digit")
            << "4" << true << "Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD.";
        QTest::newRow("joined-token")
            << "DEAD" << true << "Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD.";
        QTest::newRow("emptied") << "" << false << none;
    }
    void searchWithoutResult()
    {
        QFETCH(QString, text);
        QFETCH(bool, marked);
        QFETCH(QString, message);
        quenlix_hex_tools hex;
        showLoaded(hex);
        // A previous search with hits, whose marks must go.
        hex.ui->searchInput->setText("DE AD");
        QTest::keyClick(hex.ui->searchInput, Qt::Key_Return);
        QVERIFY(!hex.diffWidget->searchRows().isEmpty());

        hex.ui->searchInput->setText(text);
        QCOMPARE(!hex.ui->searchInput->styleSheet().isEmpty(), marked); // while typing
        {
            ModalAnswer answer;
            QTest::keyClick(hex.ui->searchInput, Qt::Key_Return);
            QCOMPARE(answer.title(), "Search");
            QCOMPARE(answer.text(), message);
        }
        QCOMPARE(hex.currentHitSide, 0);
        QVERIFY(hex.diffWidget->searchRows().isEmpty());
        QCOMPARE(hex.delegate->highlighted(), -1);
        ModalAnswer again;
        hex.ui->prevButton->click();
        QCOMPARE(again.text(), message);
    }

    void stripClickBringsRowToTop()
    {
        quenlix_hex_tools hex;
        showLoaded(hex);
        DiffWidget* strip = hex.diffWidget;
        const int rows = hex.model1->rowCount();
        const int y = strip->height() / 2;
        const int row = int(y / (double(float(strip->height()) / float(rows))));
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(5, y));
        for (QTableView* view : {hex.ui->tableView1, hex.ui->tableView2}) {
            QCOMPARE(selectedRows(view), QList<int>{row});
            QCOMPARE(view->rowAt(0), row);
        }
    }
};

QTEST_MAIN(TestHexNavigation)
#include "tst_hexnavigation.moc"
