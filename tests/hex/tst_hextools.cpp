#include <QDir>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "app/mainwindow.h"
#include "app/toolswitches.h"
#include "tests/common/modalanswer.h"
#include "tests/common/testhome.h"
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

// The difference strip, moving through two files, editing, saving and closing.
class TestHexTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString file1, file2; // random bytes without 0xDE, with DE AD planted

    QString randomFile(const QString& name, int size, int seed = 1)
    {
        const QString path = dir.filePath(name);
        return python(path, QString("random.seed(%1)\nopen(path,'wb').write(random.randbytes(%2))")
                                .arg(seed)
                                .arg(size))
                   ? path
                   : QString();
    }

    // Shows the tool with both files loaded (only file b when a is empty).
    void showPair(quenlix_hex_tools& hex, const QString& a, const QString& b)
    {
        hex.resize(1200, 700);
        QVERIFY(a.isEmpty() || hex.loadFile(1, a));
        QVERIFY(hex.loadFile(2, b));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
    }

private slots:
    void initTestCase()
    {
        const QString planted = "random.seed(%1)\n"
                                "d = bytearray(b if b != 0xDE else 0 for b in random.randbytes(4096))\n"
                                "for o in (%2,): d[o:o+2] = b'\\xde\\xad'\n"
                                "open(path,'wb').write(d)";
        file1 = dir.filePath("one.bin");
        file2 = dir.filePath("two.bin");
        QVERIFY(python(file1, planted.arg(21).arg("15, 100, 2000"))); // 15: across rows 0 and 1
        QVERIFY(python(file2, planted.arg(22).arg("47, 3000, 4094")));
    }

    // Input that leads nowhere says why in a message box and leaves no stale search behind.
    void refusals_data()
    {
        QTest::addColumn<QString>("input"); // "address" or "search"
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        auto row = [](const char* tag, const char* input, const char* text, const char* title,
                      const char* message) {
            QTest::newRow(tag) << QString(input) << QString(text) << QString(title) << QString(message);
        };
        const char* invalid = "Please enter a valid hexadecimal address.";
        row("goto-empty", "address", "", "Invalid Address", invalid);
        row("goto-beyond-int", "address", "80000000", "Invalid Address", invalid);
        row("goto-past-file-1", "address", "1000", "Invalid Address",
            "Address 1000 is beyond the end of file 1.");
        row("search-absent-bytes", "search", "DE DE DE", "Search", "No results found.");
        row("search-emptied", "search", "", "Search", "No results found.");
        row("search-joined-token", "search", "DEAD", "Search",
            "Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD.");
    }
    void refusals()
    {
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, message);
        quenlix_hex_tools hex;
        showPair(hex, file1, file2);
        hex.ui->searchInput->setText("DE AD");
        QTest::keyClick(hex.ui->searchInput, Qt::Key_Return);
        QVERIFY(!hex.diffWidget->searchRows().isEmpty());
        const bool address = input == "address";
        (address ? hex.ui->addressInput : hex.ui->searchInput)->setText(text);
        if (!address) // marked while typing unless merely without hits
            QCOMPARE(hex.ui->searchInput->styleSheet().isEmpty(), message.startsWith("No results"));
        for (QPushButton* button : address ? QList<QPushButton*>{hex.ui->gotoButton}
                                           : QList<QPushButton*>{hex.ui->prevButton, hex.ui->nextButton}) {
            ModalAnswer answer;
            button->click();
            QCOMPARE(answer.title(), title);
            QCOMPARE(answer.text(), message);
        }
        QCOMPARE(hex.currentHitSide, address ? 1 : 0);
        QCOMPARE(hex.diffWidget->searchRows().isEmpty(), !address);
        if (!address)
            QCOMPARE(hex.delegate->highlighted(), -1);
        ModalAnswer noFile;
        quenlix_hex_tools alone;
        alone.ui->addressInput->setText("10");
        alone.ui->gotoButton->click();
        QCOMPARE(noFile.text(), "No file 1 loaded.");
    }

    // Next walks file 1's hits, then file 2's, and wraps; Prev walks back, also from the first hit.
    void searchWalksBothFilesAndWraps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");
        QTest::newRow("de-ad") << QString("de ad") << QString("DEAD");
        QTest::newRow("nul-byte") << QString("00") << QString("00");
    }
    void searchWalksBothFilesAndWraps()
    {
        QFETCH(QString, text);
        QFETCH(QString, hex);
        QList<QPair<int, qint64>> expected;
        QList<int> hitRows;
        for (int side : {1, 2}) {
            for (qint64 o : pythonFindAll(side == 1 ? file1 : file2, hex)) {
                expected << qMakePair(side, o);
                hitRows << int(o / 16);
            }
        }
        QVERIFY(expected.size() >= 6);
        std::sort(hitRows.begin(), hitRows.end());
        hitRows.erase(std::unique(hitRows.begin(), hitRows.end()), hitRows.end());

        quenlix_hex_tools tool;
        showPair(tool, file1, file2);
        QTest::keyClicks(tool.ui->searchInput, text);
        QTRY_COMPARE(tool.currentHitSide, 1); // after the typing pause
        QCOMPARE(qMakePair(tool.currentHitSide, tool.currentHitOffset), expected.first());
        const HexRowSet marks = tool.diffWidget->searchRows(); // every row holding the start of a hit
        QList<int> markedRows;
        for (int r = marks.nextSet(0); r >= 0; r = marks.nextSet(r + 1))
            markedRows << r;
        QCOMPARE(markedRows, hitRows);

        for (int i = 1; i <= expected.size(); ++i) {
            tool.ui->nextButton->click();
            const auto& want = expected.at(i % expected.size()); // the last Next wraps to the first
            QCOMPARE(qMakePair(tool.currentHitSide, tool.currentHitOffset), want);
            QCOMPARE(tool.delegate->highlighted(), int(want.second / 16));
            QCOMPARE(selectedRows(want.first == 1 ? tool.ui->tableView1 : tool.ui->tableView2),
                     QList<int>{int(want.second / 16)});
        }
        for (int i = expected.size() - 1; i >= 0; --i) {
            tool.ui->prevButton->click();
            QCOMPARE(qMakePair(tool.currentHitSide, tool.currentHitOffset), expected.at(i));
        }
    }

    void loadRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text"); // the start, then the file name, then the end
        for (const char* kind : {"missing", "directory", "fifo"})
            QTest::newRow(kind) << QString(kind) << QString("Cannot open file |");
        QTest::newRow("sparse-2GiB-minus-16")
            << QString("huge") << QString("File | is too large (limit 2 GiB).");
        QTest::newRow("open-on-the-other-side") << QString("same") << QString("|");
    }
    void loadRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        const QString path = dir.filePath(kind == "missing" ? "no/such/dir/file.bin" : kind);
        if (kind == "directory")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QFile f(path);
        if (kind == "huge" || kind == "same")
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(kind == "huge" ? (qint64(1) << 31) - 16 : 17));
        quenlix_hex_tools hex;
        if (kind == "same") { // asked about, then shown on both sides
            QVERIFY(hex.loadFile(1, path));
            QVERIFY(!hex.loadFile(1, path)); // each side once
            ModalAnswer answer;
            QVERIFY(hex.loadFile(2, path));
            QCOMPARE(answer.title(), "Warning");
            QVERIFY(answer.text().contains("open on both sides"));
            QCOMPARE(hex.ui->groupBox_1->title(), "same");
            QCOMPARE(hex.ui->tableView2->model()->rowCount(), 2);
            return;
        }
        ModalAnswer answer;
        QVERIFY(!hex.loadFile(2, path));
        QCOMPARE(answer.title(), "Error");
        QVERIFY2(answer.text().startsWith(text.section('|', 0, 0) + QDir::toNativeSeparators(path)) &&
                     answer.text().endsWith(text.section('|', 1)),
                 qPrintable(answer.text()));
        QVERIFY(!hex.model2);
        QVERIFY(!hex.ui->openFile2Button->isHidden());
        QVERIFY(hex.ui->tableView2->isHidden());
        QFile::remove(path);
        QDir(path).removeRecursively();
    }

    // An edit through the editor (two digits at most) marks the file and the strip's row;
    // scrolling, goto and selections act on both tables.
    void editScrollAndSelect()
    {
        quenlix_hex_tools hex;
        showPair(hex, randomFile("sel-a.bin", 16 * 300, 2), randomFile("sel-b.bin", 16 * 200, 2));
        QTableView* v1 = hex.ui->tableView1;
        QTableView* v2 = hex.ui->tableView2;
        QVERIFY(!hex.diffWidget->differingRows().test(1));
        const QModelIndex cell = hex.model1->index(1, 3); // offset 18
        v1->setCurrentIndex(cell);
        v1->edit(cell);
        auto* editor = v1->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "abc"); // the third digit is refused
        QCOMPARE(editor->text(), "ab");
        QTest::keyClick(editor, Qt::Key_Return); // commits on the next event-loop pass
        QTRY_COMPARE(uchar(hex.model1->getByteArray().at(18)), uchar(0xAB));
        QVERIFY(hex.diffWidget->differingRows().test(1));
        QVERIFY(hex.modified1 && !hex.modified2);

        v2->verticalScrollBar()->setValue(40);
        QCOMPARE(v1->verticalScrollBar()->value(), 40);
        hex.ui->addressInput->setText(" a0f "); // goto: both tables show the row at the top
        hex.ui->gotoButton->click();
        QCOMPARE(v1->rowAt(0), 0xA0);
        QCOMPARE(v2->rowAt(0), 0xA0);
        QCOMPARE(hex.delegate->highlighted(), 0xA0);
        // Select-all on the longer file stays one range, clipped to the shorter file.
        v1->clearSelection();
        QVERIFY(!v2->selectionModel()->hasSelection());
        v1->selectAll();
        const QItemSelection all = v2->selectionModel()->selection();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().bottomRight(), hex.model2->index(199, 32));
    }

    void save_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<qint64>>("edits");
        QTest::addColumn<QString>("target"); // empty: the Save button, in place
        QTest::addColumn<bool>("saved");
        QTest::newRow("edits-in-place") << 1000 << QList<qint64>{0, 15, 16, 517, 999} << "" << true;
        QTest::newRow("edits-under-a-new-name") << 1000 << QList<qint64>{3, 999} << "new-name.bin" << true;
        QTest::newRow("empty-to-a-new-file") << 0 << QList<qint64>{} << "empty-out.bin" << true;
        QTest::newRow("missing-directory") << 100 << QList<qint64>{0} << "gone/out.bin" << false;
        QTest::newRow("directory-in-place") << 100 << QList<qint64>{0} << "a-directory" << false;
    }
    void save()
    {
        QFETCH(int, size);
        QFETCH(QList<qint64>, edits);
        QFETCH(QString, target);
        QFETCH(bool, saved);
        const QString path = randomFile("save.bin", size, 9);
        const QString original = randomFile("original.bin", size, 9);
        const QString out = target.isEmpty() ? path : dir.filePath(target);
        if (target == "a-directory")
            QVERIFY(QDir().mkpath(out));
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        for (qint64 o : edits) {
            const uchar now = uchar(hex.model1->getByteArray().at(o));
            QVERIFY(hex.model1->setData(hex.model1->indexOfOffset(o), QString::number(now ^ 0x81, 16)));
        }
        ModalAnswer answer;
        if (target.isEmpty())
            hex.ui->saveFiel1pushButton->click();
        else
            QCOMPARE(hex.saveFileTo(1, out), saved);
        QCOMPARE(hex.modified1, !saved);
        if (!saved) {
            QCOMPARE(answer.title(), "Error");
            QVERIFY(answer.text() == "Failed to open file for writing." ||
                    answer.text() == "Failed to write to file.");
            QCOMPARE(hex.filePath1, path);
            QCOMPARE(readAll(path), readAll(original));
            QDir(out).removeRecursively();
            return;
        }
        QCOMPARE(answer.text(), "File saved successfully.");
        QCOMPARE(QFileInfo(out).size(), size);
        QCOMPARE(cmpOffsets(original, out), edits);
        QCOMPARE(hex.ui->groupBox_1->title(), QFileInfo(out).fileName());
    }

    // In the program the tool sits in a tab page and gets no close event of its own: closing
    // the window asks about each edited file.
    void closeQuestions_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("folderGone"); // saving file 1 fails: the window stays open
        QTest::newRow("no-to-both") << QStringList{"No", "No"} << true << false << false;
        QTest::newRow("yes-to-both") << QStringList{"Yes", "OK", "Yes", "OK"} << true << true << false;
        QTest::newRow("no-then-cancel") << QStringList{"No", "Cancel"} << false << false << false;
        QTest::newRow("failed-save") << QStringList{"Yes", "OK"} << false << false << true;
    }
    void closeQuestions()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        QFETCH(bool, folderGone);
        TestHome home;
        QList<QPair<QString, QString>> switches{{ToolSwitches::autoSerialScanKey, "false"}};
        for (const QString& key : ToolSwitches::keys())
            switches << qMakePair(key, QString(key == "Hex" ? "true" : "false"));
        home.writeSettings(switches);
        QTemporaryDir folder;
        const QString a = folder.filePath("close-a.bin");
        QVERIFY(python(a, "open(path,'wb').write(bytes(range(64)))"));
        MainWindow window;
        auto* hex = window.findChild<quenlix_hex_tools*>();
        QVERIFY(hex);
        window.show();
        QVERIFY(hex->loadFile(1, a));
        QVERIFY(hex->loadFile(2, randomFile("close-b.bin", 64, 12)));
        QVERIFY(hex->model1->setData(hex->model1->index(0, 1), "FF"));
        QVERIFY(hex->model2->setData(hex->model2->index(0, 1), "00"));
        QVERIFY(!folderGone || folder.remove());
        ModalScript script(answers);
        QCOMPARE(window.close(), closed);
        QCOMPARE(script.titles.size(), answers.size());
        QCOMPARE(script.titles.value(1), folderGone               ? "Error"
                                         : answers.at(0) == "Yes" ? "Save"
                                                                  : "Save Changes");
        QCOMPARE(script.texts.first(),
                 "File close-a.bin has been modified.\nDo you want to save your changes?");
        QCOMPARE(window.isVisible(), !closed);
        QCOMPARE(readAll(a).startsWith('\xFF'), written);
    }
};

QTEST_MAIN(TestHexTools)
#include "tst_hextools.moc"
