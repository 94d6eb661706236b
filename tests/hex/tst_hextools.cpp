#include <QDir>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "app/mainwindow.h"
#include "app/toolswitches.h"
#include "tests/common/modalanswer.h"
#include "tests/common/testhome.h"
#include "tests/hex/hexfixtures.h"
#include "tools/diffwidget.h"
#include "tools/hexbytes.h"
#include "tools/hexitemdelegate.h"
#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

using namespace HexFixtures;

// The table model against xxd, Python and cmp; the difference strip, moving through two
// files, saving and closing.
class TestHexTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString file1, file2; // random bytes without 0xDE, with DE AD planted

    // A file Python writes with `code`; empty when that fails.
    QString pythonFile(const QString& name, const QString& code)
    {
        const QString path = dir.filePath(name);
        return python(path, code) ? path : QString();
    }
    QString randomFile(const QString& name, int size, int seed = 1)
    {
        return pythonFile(
            name,
            QString("random.seed(%1)\nopen(path,'wb').write(random.randbytes(%2))").arg(seed).arg(size));
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
        row("goto-beyond-int", "address", "80000000", "Invalid Address",
            "Please enter a valid hexadecimal address.");
        row("goto-past-file-1", "address", "1000", "Invalid Address",
            "Address 1000 is beyond the end of file 1.");
        row("search-absent-bytes", "search", "DE DE DE", "Search", "No results found.");
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
            const QModelIndexList selected = (want.first == 1 ? tool.ui->tableView1 : tool.ui->tableView2)
                                                 ->selectionModel()
                                                 ->selectedRows();
            QVERIFY(selected.size() == 1 && selected.first().row() == int(want.second / 16));
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
        for (const char* kind : {"missing", "fifo"})
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
        if (kind == "fifo")
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
        QFile::remove(path);
    }

    void save_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<qint64>>("edits");
        QTest::addColumn<QString>("target"); // empty: the Save button, in place
        QTest::addColumn<bool>("saved");
        QTest::newRow("edits-in-place") << 1000 << QList<qint64>{0, 15, 16, 517, 999} << "" << true;
        QTest::newRow("empty-to-a-new-file") << 0 << QList<qint64>{} << "empty-out.bin" << true;
        QTest::newRow("missing-directory") << 100 << QList<qint64>{0} << "gone/out.bin" << false;
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
            // The system's reason follows the message.
            QCOMPARE(answer.text(),
                     "Failed to open file for writing.\n" + QString::fromLocal8Bit(strerror(ENOENT)));
            QCOMPARE(hex.filePath1, path);
            QCOMPARE(readAll(path), readAll(original));
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

    // Files whose size the kernel reports as 0 hold what cat reads from them, all of it.
    void loadsWhatCatReads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("proc-version") << "/proc/version";
        QTest::newRow("proc-filesystems") << "/proc/filesystems";
        QTest::newRow("proc-kallsyms-megabytes") << "/proc/kallsyms";
    }
    void loadsWhatCatReads()
    {
        QFETCH(QString, path);
        if (!QFileInfo::exists(path))
            QSKIP("not on this system");
        QCOMPARE(QFileInfo(path).size(), 0);
        const QByteArray catBytes = run("cat", {path});
        QVERIFY(!catBytes.isEmpty());
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        QCOMPARE(hex.model1->getByteArray(), catBytes);
        QCOMPARE(hex.model1->rowCount(), int((catBytes.size() + 15) / 16));
    }

    void procFilesDifferAsCmpSays()
    {
        const QString a = "/proc/version", b = "/proc/filesystems";
        int rc = -1;
        run("cmp", {"-s", a, b}, &rc);
        QCOMPARE(rc, 1); // cmp: they differ
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, a) && hex.loadFile(2, b));
        QVERIFY(!hex.diffWidget->differingRows().isEmpty());
        QCOMPARE(hex.diffWidget->differingRows().nextSet(0), int(cmpOffsets(a, b).value(0, -1) / 16));
    }

    // Another program changes the file between load and Save: the save asks first, and
    // unless told to overwrite leaves the other program's bytes on disk.
    void saveAfterChangeOnDisk_data()
    {
        QTest::addColumn<QString>("change"); // Python, on the file at `path`
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("overwritten");
        const QString append = "open(path,'ab').write(b'\\x55' * 32)";
        const QString sameSizeLater = "st = os.stat(path)\nopen(path,'wb').write(b'\\xAA' * st.st_size)\n"
                                      "os.utime(path, (st.st_atime, st.st_mtime + 10))";
        QTest::newRow("appended-keep-theirs") << append << QStringList{"No"} << false;
        QTest::newRow("appended-overwrite") << append << QStringList{"Yes", "OK"} << true;
        QTest::newRow("same-size-newer-keep-theirs") << sameSizeLater << QStringList{"No"} << false;
        QTest::newRow("unchanged-no-question") << "pass" << QStringList{"OK"} << true;
    }
    void saveAfterChangeOnDisk()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, answers);
        QFETCH(bool, overwritten);
        const QString path = randomFile("changed.bin", 16, 31);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        QVERIFY(hex.model1->setData(hex.model1->index(0, 1), "7E"));
        QVERIFY(python(path, change));
        const QByteArray theirs = readAll(path);
        QByteArray ours = hex.model1->getByteArray();

        ModalScript script(answers);
        QCOMPARE(hex.saveFile(1), overwritten);
        QCOMPARE(script.titles.size(), answers.size());
        if (answers.size() > 1 || !overwritten) {
            QCOMPARE(script.titles.first(), "File Changed on Disk");
            QVERIFY2(
                script.texts.first().contains(QString("(16 bytes then, %1 bytes now)").arg(theirs.size())),
                qPrintable(script.texts.first()));
        }
        if (overwritten)
            QCOMPARE(script.texts.last(), "File saved successfully.");
        QCOMPARE(readAll(path), overwritten ? ours : theirs);
        QCOMPARE(hex.modified1, !overwritten);
        if (overwritten) { // saved again at once: the disk now holds what was loaded
            ModalScript again({"OK"});
            QVERIFY(hex.saveFile(1));
            QCOMPARE(again.titles, QStringList{"Save"});
        }
    }

    // Two 100 MiB files, five differences: a press on each red mark (11,000 rows a pixel),
    // or a pixel beside it, brings that difference into view in both tables.
    void stripPressReachesEachDifference()
    {
        const qint64 size = qint64(100) << 20;
        const QString a = dir.filePath("big-a.bin"), b = dir.filePath("big-b.bin");
        const QList<qint64> planted{0x0123457, 0x1A3B3C7, 0x3200009, 0x4D0F00F, 0x63FFFF3};
        QVERIFY(python(a, QString("f = open(path,'wb'); f.truncate(%1)").arg(size)));
        QStringList offsets;
        for (qint64 o : planted)
            offsets << QString::number(o);
        QVERIFY(python(b, QString("f = open(path,'wb'); f.truncate(%1)\n"
                                  "for o in (%2,): f.seek(o); f.write(b'\\x5A')")
                              .arg(size)
                              .arg(offsets.join(','))));
        QCOMPARE(cmpOffsets(a, b), planted);
        quenlix_hex_tools hex;
        showPair(hex, a, b);
        const int rows = hex.model1->rowCount();
        const float scale = float(hex.diffWidget->height()) / float(rows);
        QVERIFY(scale < 1.0f / 1000);
        for (qint64 offset : planted) {
            const int row = int(offset / 16);
            const int top = int(float(row) * scale);
            for (int y = top - 1; y <= top + 2; ++y) { // the mark is 2 px high
                QTest::mouseClick(hex.diffWidget, Qt::LeftButton, {}, QPoint(5, y));
                for (QTableView* view : {hex.ui->tableView1, hex.ui->tableView2}) {
                    const int first = view->rowAt(0), last = view->rowAt(view->viewport()->height() - 1);
                    QVERIFY2(first <= row && row <= last,
                             qPrintable(QString("y %1: rows %2..%3 shown, difference in row %4")
                                            .arg(y)
                                            .arg(first)
                                            .arg(last)
                                            .arg(row)));
                }
            }
        }
    }

    // The model and the byte search and comparison under it.
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
        const QString path = pythonFile(QTest::currentDataTag(), code);
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
        row("across-row-end-lower-case", " de   ad ", "DEAD");
        row("overlapping-zeros", "00 00", "0000");
        row("one-nul-byte", "00", "00");
        row("blank-only", "   ", "");
        row("four-digit-token", "DEAD", "");
    }
    void searchMatchesPython()
    {
        QFETCH(QString, text);
        QFETCH(QString, pythonHex);
        const QString path = pythonFile("search.bin", "d = bytearray(os.urandom(4096))\n"
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
    }
    void diffRowsMatchCmp()
    {
        QFETCH(QString, codeB);
        const QString a =
            pythonFile("a.bin", "random.seed(7)\nopen(path,'wb').write(random.randbytes(200*16+9))");
        const QString b =
            pythonFile("b.bin", "d = bytearray(open(path.replace('b.bin','a.bin'),'rb').read())\n" + codeB +
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

QTEST_MAIN(TestHexTools)
#include "tst_hextools.moc"
