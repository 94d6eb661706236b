#include <QDir>
#include <QGroupBox>
#include <QImage>
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

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool isOrange(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 150 && qGreen(c) < 230 && qBlue(c) < 60;
}
bool isTintedRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) < 170;
}

// Pixel lines (y) of the strip's mark column that carry the given colour.
QList<int> markedLines(DiffWidget& strip, bool (*colour)(QRgb))
{
    const QImage image = strip.grab().toImage();
    QList<int> lines;
    for (int y = 0; y < image.height(); ++y)
        if (colour(image.pixel(3, y)))
            lines << y;
    return lines;
}

QByteArray withChangedRows(QByteArray bytes, const QList<int>& rows)
{
    for (int row : rows)
        bytes[row * 16 + 3] = char(bytes.at(row * 16 + 3) ^ 0x55);
    return bytes;
}

QList<int> selectedRows(QTableView* view)
{
    QList<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows << index.row();
    return rows;
}

// Colour of a cell's corner (away from its text) as the view paints it.
QRgb cellCorner(QTableView* view, const QModelIndex& index)
{
    return view->viewport()->grab().toImage().pixel(view->visualRect(index).topLeft() + QPoint(3, 3));
}

} // namespace

// The difference strip, moving through two files, editing, saving and closing.
class TestHexTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString file1, file2; // random bytes without 0xDE, with DE AD planted

    QString pyFile(const QString& name, const QString& code)
    {
        const QString path = dir.filePath(name);
        return python(path, code) ? path : QString();
    }
    QString randomFile(const QString& name, int size, int seed = 1)
    {
        return pyFile(
            name,
            QString("random.seed(%1)\nopen(path,'wb').write(random.randbytes(%2))").arg(seed).arg(size));
    }

    // Shows the tool with both files loaded (only file b when a is empty).
    void showPair(quenlix_hex_tools& hex, const QString& a, const QString& b)
    {
        hex.resize(1200, 700);
        if (!a.isEmpty())
            QVERIFY(hex.loadFile(1, a));
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
        file1 = pyFile("one.bin", planted.arg(21).arg("15, 100, 2000"));  // 15: across rows 0 and 1
        file2 = pyFile("two.bin", planted.arg(22).arg("47, 3000, 4094")); // 47: across rows 2 and 3
        QVERIFY(!file1.isEmpty() && !file2.isEmpty());
    }

    // Every line a differing row maps to (at least 2 px below its top) is red, and no other.
    void stripMarks_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("extraRowsB"); // rows only file 2 has: all differ
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("first");  // changed rows: first, first + step, ...; -1 none
        QTest::addColumn<int>("step");   // 0: only the first
        QTest::addColumn<int>("pressY"); // a press there reports row pressRow
        QTest::addColumn<int>("pressRow");
        QTest::newRow("100-rows-on-500px") << 100 << 0 << 500 << 10 << 0 << 52 << 10;
        QTest::newRow("last-of-1000-rows-on-500px") << 1000 << 0 << 500 << 999 << 0 << 499 << 998;
        QTest::newRow("identical") << 256 << 0 << 300 << -1 << 0 << 0 << 0;
        QTest::newRow("b-longer") << 10 << 10 << 200 << -1 << 0 << 199 << 19;
        QTest::newRow("all-of-200k-rows") << 200000 << 0 << 487 << 0 << 1 << 486 << 199589;
        QTest::newRow("all-of-999-rows") << 999 << 0 << 500 << 0 << 1 << 250 << 499;
        QTest::newRow("sparse-3k-rows") << 3000 << 0 << 433 << 0 << 37 << 100 << 692;
    }
    void stripMarks()
    {
        QFETCH(int, rows);
        QFETCH(int, extraRowsB);
        QFETCH(int, height);
        QFETCH(int, first);
        QFETCH(int, step);
        QFETCH(int, pressY);
        QFETCH(int, pressRow);
        QList<int> changed;
        for (int r = first; r >= 0 && r < rows; r += step ? step : rows)
            changed << r;
        const QByteArray a(qsizetype(rows) * 16, '\x11');
        HexTableModel m1(a), m2(withChangedRows(a, changed) + QByteArray(extraRowsB * 16, '\x11'));
        DiffWidget strip;
        strip.resize(20, height);
        QSignalSpy jumps(&strip, &DiffWidget::jumpToRow);
        QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(5, pressY)); // no models yet: ignored
        strip.setModels(&m1, &m2);
        QTest::mouseClick(&strip, Qt::RightButton, {}, QPoint(5, pressY));
        QCOMPARE(jumps.size(), 1);
        QCOMPARE(jumps.at(0).at(0).toInt(), pressRow);
        for (int r = rows; r < rows + extraRowsB; ++r)
            changed << r;
        const float scale = float(height) / float(rows + extraRowsB);
        QSet<int> expected;
        for (int r : changed) {
            const int top = int(float(r) * scale);
            for (int y = top; y <= top + int(std::max(2.0f, scale)) && y < height; ++y)
                expected << y;
        }
        const QList<int> lines = markedLines(strip, isRed);
        QCOMPARE(QSet<int>(lines.begin(), lines.end()), expected);
        if (changed.isEmpty()) // only the guide line
            QCOMPARE(QColor(strip.grab().toImage().pixel(5, height / 2)), QColor(Qt::lightGray));
    }

    void stripSearchMarkCoversDifference()
    {
        const QByteArray a(100 * 16, '\0');
        HexTableModel m1(a), m2(withChangedRows(a, {10, 20}));
        DiffWidget strip;
        strip.resize(20, 500);
        strip.setModels(&m1, &m2);
        HexRowSet hits;
        hits.reset(100);
        hits.set(10);
        strip.setSearchRows(hits);
        QCOMPARE(markedLines(strip, isOrange).first(), 50);
        QCOMPARE(markedLines(strip, isRed).first(), 100);
        strip.setSearchRows(HexRowSet());
        QCOMPARE(markedLines(strip, isRed).first(), 50);
    }

    void gotoAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("withFile1");
        QTest::addColumn<int>("row"); // -1: refused with this message
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        auto row = [](const char* tag, const char* address, int row, const char* title = "Invalid Address",
                      const char* text = "Please enter a valid hexadecimal address.", bool withFile1 = true) {
            QTest::newRow(tag) << address << withFile1 << row << QString(title) << QString(text);
        };
        row("1F", "1F", 1, "", "");
        row("lower-case-with-blanks", " a0f ", 0xA0, "", "");
        row("empty", "", -1);
        row("not-hex", "12G", -1);
        row("minus-one", "-1", -1);
        row("minus-two", "-2", -1);
        row("beyond-int", "80000000", -1);
        row("past-file-1", "1000", -1, "Invalid Address", "Address 1000 is beyond the end of file 1.");
        row("no-file-1", "10", -1, "Warning", "No file 1 loaded.", false);
    }
    void gotoAddress()
    {
        QFETCH(QString, address);
        QFETCH(bool, withFile1);
        QFETCH(int, row);
        QFETCH(QString, title);
        QFETCH(QString, text);
        quenlix_hex_tools hex;
        showPair(hex, withFile1 ? file1 : QString(), file2);
        hex.ui->addressInput->setText(address);
        ModalAnswer answer;
        hex.ui->gotoButton->click();
        QCOMPARE(answer.title(), title);
        QCOMPARE(answer.text(), text);
        QCOMPARE(selectedRows(hex.ui->tableView2), row < 0 ? QList<int>() : QList<int>{row});
        if (row >= 0) {
            QCOMPARE(selectedRows(hex.ui->tableView1), QList<int>{row});
            QCOMPARE(hex.ui->tableView1->rowAt(0), row);
            QCOMPARE(hex.ui->tableView2->rowAt(0), row);
            QCOMPARE(hex.delegate->highlighted(), row);
        }
    }

    void searchWalksBothFilesAndWraps()
    {
        QList<QPair<int, qint64>> expected;
        QList<int> hitRows;
        for (int side : {1, 2})
            for (qint64 o : pythonFindAll(side == 1 ? file1 : file2, "DEAD")) {
                expected << qMakePair(side, o);
                hitRows << int(o / 16);
            }
        QCOMPARE(expected.size(), 6);
        std::sort(hitRows.begin(), hitRows.end());

        quenlix_hex_tools hex;
        showPair(hex, file1, file2);
        QTest::keyClicks(hex.ui->searchInput, "de ad");
        QTRY_COMPARE(hex.currentHitSide, 1); // after the typing pause
        QCOMPARE(qMakePair(hex.currentHitSide, hex.currentHitOffset), expected.first());
        QCOMPARE(selectedRows(hex.ui->tableView1), QList<int>{0});

        // The strip marks every row holding the start of a hit.
        const HexRowSet marks = hex.diffWidget->searchRows();
        QList<int> markedRows;
        for (int r = marks.nextSet(0); r >= 0; r = marks.nextSet(r + 1))
            markedRows << r;
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

        // A click on the strip brings its row to the top of both tables.
        QSignalSpy jumps(hex.diffWidget, &DiffWidget::jumpToRow);
        QTest::mouseClick(hex.diffWidget, Qt::LeftButton, {}, QPoint(5, hex.diffWidget->height() / 2));
        const int row = jumps.value(0).value(0).toInt();
        QVERIFY(row > 50 && row < 200);
        for (QTableView* view : {hex.ui->tableView1, hex.ui->tableView2}) {
            QCOMPARE(selectedRows(view), QList<int>{row});
            QCOMPARE(view->rowAt(0), row);
        }
    }

    void searchWithOnlyFile2()
    {
        quenlix_hex_tools hex;
        showPair(hex, QString(), file2);
        hex.ui->searchInput->setText("DE AD");
        hex.ui->nextButton->click(); // searches at once, then steps to the second hit
        QCOMPARE(hex.currentHitSide, 2);
        QCOMPARE(hex.currentHitOffset, pythonFindAll(file2, "DEAD").at(1));
    }

    void searchWithoutResult_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // the input is marked while typing unless "No results"
        auto row = [](const char* tag, const char* text, const char* message) {
            QTest::newRow(tag) << text << message;
        };
        row("absent-bytes", "DE DE DE", "No results found.");
        row("emptied", "", "No results found.");
        row("joined-token", "DEAD", "Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD.");
    }
    void searchWithoutResult()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        quenlix_hex_tools hex;
        showPair(hex, file1, file2);
        // A previous search with hits, whose marks must go.
        hex.ui->searchInput->setText("DE AD");
        QTest::keyClick(hex.ui->searchInput, Qt::Key_Return);
        QVERIFY(!hex.diffWidget->searchRows().isEmpty());

        hex.ui->searchInput->setText(text);
        QCOMPARE(hex.ui->searchInput->styleSheet().isEmpty(), message.startsWith("No results"));
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

    void loadShowsOneSide()
    {
        const QString path = randomFile("one.bin", 17);
        quenlix_hex_tools hex;
        QVERIFY(hex.ui->tableView1->isHidden());
        {
            ModalAnswer answer;
            hex.saveFile(1);
            QCOMPARE(answer.title(), "Error");
            QCOMPARE(answer.text(), "Model is not initialized.");
        }
        QVERIFY(hex.loadFile(1, path));
        QVERIFY(!hex.ui->tableView1->isHidden());
        QVERIFY(!hex.ui->saveFiel1pushButton->isHidden());
        QVERIFY(hex.ui->openFile1Button->isHidden());
        QCOMPARE(hex.ui->groupBox_1->title(), "one.bin");
        QCOMPARE(hex.ui->tableView1->model()->rowCount(), 2);
        QVERIFY(hex.ui->tableView2->isHidden());
        QCOMPARE(hex.ui->groupBox_2->title(), "File2");
        QVERIFY(!hex.loadFile(1, path)); // each side once
        ModalAnswer answer;
        QVERIFY(hex.loadFile(2, path));
        QCOMPARE(answer.title(), "Warning");
        QVERIFY(answer.text().contains("open on both sides"));
    }

    void loadRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("textStart");
        auto row = [](const char* tag, const char* kind, const char* textStart) {
            QTest::newRow(tag) << kind << textStart;
        };
        row("missing-directory", "missing", "Cannot open file ");
        row("directory", "directory", "Cannot open file ");
        row("fifo", "fifo", "Cannot open file ");
        row("sparse-2GiB-minus-16", "huge", "File ");
    }
    void loadRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, textStart);
        const QString path = dir.filePath(kind == "missing" ? "no/such/dir/file.bin" : kind);
        if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (kind == "huge") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize((qint64(1) << 31) - 16)); // sparse: takes no space
        }
        quenlix_hex_tools hex;
        ModalAnswer answer;
        QVERIFY(!hex.loadFile(2, path));
        QCOMPARE(answer.title(), "Error");
        QVERIFY2(answer.text().startsWith(textStart + QDir::toNativeSeparators(path)),
                 qPrintable(answer.text()));
        if (kind == "huge")
            QVERIFY(answer.text().endsWith(" is too large (limit 2 GiB)."));
        QVERIFY(!hex.model2);
        QVERIFY(!hex.ui->openFile2Button->isHidden());
        QVERIFY(hex.ui->tableView2->isHidden());
        QFile::remove(path);
        QDir(path).removeRecursively();
    }

    void editorTakesTwoDigitsFromTheFirstLoad()
    {
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, randomFile("edit1.bin", 64)));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
        QTableView* view = hex.ui->tableView1;
        const QModelIndex cell = hex.model1->index(1, 3); // offset 18
        view->setCurrentIndex(cell);
        view->edit(cell);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "abc"); // the third digit is refused
        QCOMPARE(editor->text(), "ab");
        QTest::keyClick(editor, Qt::Key_Return); // commits on the next event-loop pass
        QTRY_COMPARE(uchar(hex.model1->getByteArray().at(18)), uchar(0xAB));
        QTRY_VERIFY(!view->viewport()->findChild<QLineEdit*>());
        QCOMPARE(hex.model1->data(cell).toString(), "AB");
        QVERIFY(hex.modified1); // marked although file 2 is not there
    }

    void editTintsBothTablesAndFollowsTheStrip()
    {
        const QString a = randomFile("same-a.bin", 4096, 5);
        const QString b = randomFile("same-b.bin", 4096, 5);
        quenlix_hex_tools hex;
        showPair(hex, a, b);
        QVERIFY(hex.diffWidget->differingRows().isEmpty());
        const QModelIndex cell1 = hex.model1->index(2, 5);
        const QModelIndex cell2 = hex.model2->index(2, 5);
        QVERIFY(!isTintedRed(cellCorner(hex.ui->tableView1, cell1)));

        const uchar old = uchar(hex.model1->getByteArray().at(2 * 16 + 4));
        QVERIFY(hex.model1->setData(cell1, QString::number(old ^ 0xFF, 16)));
        QVERIFY(isTintedRed(cellCorner(hex.ui->tableView1, cell1)));
        QVERIFY(isTintedRed(cellCorner(hex.ui->tableView2, cell2)));
        QVERIFY(hex.diffWidget->differingRows().test(2));
        QVERIFY(hex.modified1 && !hex.modified2);

        // Editing it back removes the tint and the strip's mark.
        QVERIFY(hex.model1->setData(cell1, QString::number(old, 16)));
        QVERIFY(!isTintedRed(cellCorner(hex.ui->tableView2, cell2)));
        QVERIFY(hex.diffWidget->differingRows().isEmpty());
    }

    void scrollAndSelectionFollow()
    {
        quenlix_hex_tools hex;
        showPair(hex, randomFile("sel-a.bin", 16 * 300, 2), randomFile("sel-b.bin", 16 * 200, 3));
        QTableView* v1 = hex.ui->tableView1;
        QTableView* v2 = hex.ui->tableView2;
        v2->verticalScrollBar()->setValue(40);
        QCOMPARE(v1->verticalScrollBar()->value(), 40);

        v1->selectionModel()->select(QItemSelection(hex.model1->index(3, 2), hex.model1->index(4, 5)),
                                     QItemSelectionModel::ClearAndSelect);
        const QItemSelection mirrored = v2->selectionModel()->selection();
        QCOMPARE(mirrored.size(), 1);
        QCOMPARE(mirrored.first().model(), hex.model2);
        QCOMPARE(mirrored.first().topLeft(), hex.model2->index(3, 2));
        QCOMPARE(mirrored.first().bottomRight(), hex.model2->index(4, 5));
        QCOMPARE(hex.delegate->highlighted(), 3);
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
        auto row = [](const char* tag, int size, QList<qint64> edits, const char* target, bool saved) {
            QTest::newRow(tag) << size << edits << QString(target) << saved;
        };
        row("edits-in-place", 1000, {0, 15, 16, 517, 999}, "", true);
        row("edits-under-a-new-name", 1000, {3, 999}, "new-name.bin", true);
        row("empty-to-a-new-file", 0, {}, "empty-out.bin", true);
        row("missing-directory", 100, {0}, "gone/out.bin", false);
        row("directory-in-place", 100, {0}, "a-directory", false);
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
            QCOMPARE(QFileInfo(out).isDir(), target == "a-directory");
            QDir(out).removeRecursively();
            return;
        }
        QCOMPARE(answer.title(), "Save");
        QCOMPARE(answer.text(), "File saved successfully.");
        QVERIFY(QFileInfo(out).isFile());
        QCOMPARE(QFileInfo(out).size(), size);
        QCOMPARE(cmpOffsets(original, out), edits);
        const QString name = QFileInfo(out).fileName();
        QCOMPARE(hex.ui->groupBox_1->title(), name);
        if (size > 0) { // the close question names the file as last saved
            QVERIFY(hex.model1->setData(hex.model1->index(0, 2), "00"));
            ModalScript script({"Cancel"});
            QCOMPARE(hex.checkAndSaveModifiedFiles(), -1);
            QCOMPARE(script.texts.value(0),
                     "File " + name + " has been modified.\nDo you want to save your changes?");
        }
    }

    void closeQuestions_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("no-to-both") << QStringList{"No", "No"} << true << false;
        QTest::newRow("yes-to-both") << QStringList{"Yes", "OK", "Yes", "OK"} << true << true;
        QTest::newRow("no-then-cancel") << QStringList{"No", "Cancel"} << false << false;
    }
    void closeQuestions()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        const QString a = randomFile("close-a.bin", 64, 11);
        const QByteArray beforeA = readAll(a);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, a));
        QVERIFY(hex.loadFile(2, randomFile("close-b.bin", 64, 12)));
        hex.show();
        QVERIFY(hex.model1->setData(hex.model1->index(0, 1), QString::number(uchar(beforeA.at(0)) ^ 1, 16)));
        QVERIFY(hex.model2->setData(hex.model2->index(0, 1), "00"));
        ModalScript script(answers);
        QCOMPARE(hex.close(), closed);
        QCOMPARE(script.titles.size(), answers.size());
        QCOMPARE(script.titles.first(), "Save Changes");
        QCOMPARE(script.texts.first(),
                 "File close-a.bin has been modified.\nDo you want to save your changes?");
        QCOMPARE(hex.isVisible(), !closed);
        QCOMPARE(readAll(a) != beforeA, written);
    }

    void failedSaveInCloseQuestionKeepsItOpen()
    {
        QTemporaryDir gone;
        const QString path = gone.filePath("vanishing.bin");
        QVERIFY(python(path, "open(path,'wb').write(b'abc')"));
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        hex.show();
        QVERIFY(hex.model1->setData(hex.model1->index(0, 1), "00"));
        QVERIFY(gone.remove()); // its folder disappears: saving must fail
        ModalScript script({"Yes", "OK"});
        QVERIFY(!hex.close());
        QCOMPARE(script.titles, (QStringList{"Save Changes", "Error"}));
        QVERIFY(hex.isVisible());
        QVERIFY(hex.modified1);
    }

    // In the program the tool sits in a tab page and gets no close event of its own.
    void closingTheProgramAsksAboutEdits()
    {
        TestHome home;
        QList<QPair<QString, QString>> switches{{ToolSwitches::autoSerialScanKey, "false"}};
        for (const QString& key : ToolSwitches::keys())
            switches << qMakePair(key, QString(key == "Hex" ? "true" : "false"));
        home.writeSettings(switches);
        const QString path = randomFile("edited.bin", 40);
        MainWindow window;
        auto* hex = window.findChild<quenlix_hex_tools*>();
        QVERIFY(hex);
        window.show();
        QVERIFY(hex->loadFile(1, path));
        QVERIFY(hex->model1->setData(hex->model1->index(1, 1), "FF"));
        {
            ModalScript script({"Cancel"});
            QVERIFY(!window.close());
            QCOMPARE(script.titles, QStringList{"Save Changes"});
            QVERIFY(window.isVisible());
        }
        ModalScript script({"Yes", "OK"});
        QVERIFY(window.close());
        QCOMPARE(script.texts.last(), "File saved successfully.");
        QCOMPARE(uchar(readAll(path).at(16)), uchar(0xFF));
    }

    void destroyedWithEverythingAttached()
    {
        auto* hex = new quenlix_hex_tools;
        QVERIFY(hex->loadFile(1, randomFile("gone-a.bin", 1024, 15)));
        QVERIFY(hex->loadFile(2, randomFile("gone-b.bin", 1024, 16)));
        hex->show();
        hex->ui->tableView1->selectAll();
        QTest::keyClicks(hex->ui->searchInput, "00"); // a search is still pending
        delete hex;
        QTest::qWait(350); // past the search delay: nothing may fire at the deleted tool
    }
};

QTEST_MAIN(TestHexTools)
#include "tst_hextools.moc"
