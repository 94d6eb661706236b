#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QValidator>

#include <sys/stat.h>

#include "tests/common/modalanswer.h"
#include "tests/hex/hexfixtures.h"
#include "tools/diffwidget.h"
#include "tools/hexitemdelegate.h"
#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools.h"
#include "tools/quenlix_hex_tools_form.h"

using namespace HexFixtures;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool isTintedRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) < 170;
}

// Colour of a cell's corner (away from its text) as the view paints it.
QRgb cellCorner(QTableView* view, const QModelIndex& index)
{
    const QRect r = view->visualRect(index);
    return view->viewport()->grab().toImage().pixel(r.topLeft() + QPoint(3, 3));
}

} // namespace

class TestHexTools : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString randomFile(const QString& name, int size, int seed = 1)
    {
        const QString path = dir.filePath(name);
        const bool ok = python(path, QStringLiteral("import random\nrandom.seed(%1)\n"
                                                    "open(path,'wb').write(random.randbytes(%2))")
                                         .arg(seed)
                                         .arg(size));
        return ok ? path : QString();
    }

    QString copyOf(const QString& path, const QString& name)
    {
        const QString copy = dir.filePath(name);
        QFile::remove(copy);
        return QFile::copy(path, copy) ? copy : QString();
    }

private slots:
    void beforeAnyLoad()
    {
        quenlix_hex_tools hex;
        QVERIFY(hex.ui->tableView1->isHidden());
        QVERIFY(hex.ui->tableView2->isHidden());
        QVERIFY(hex.ui->saveFiel1pushButton->isHidden());
        QVERIFY(hex.ui->saveFiel2pushButton->isHidden());
        ModalAnswer answer;
        hex.saveFile(1);
        QCOMPARE(answer.title(), "Error");
        QCOMPARE(answer.text(), "Model is not initialized.");
    }

    void loadShowsOneSide()
    {
        const QString path = randomFile("one.bin", 17);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        QVERIFY(!hex.ui->tableView1->isHidden());
        QVERIFY(!hex.ui->saveFiel1pushButton->isHidden());
        QVERIFY(hex.ui->openFile1Button->isHidden());
        QCOMPARE(hex.ui->groupBox_1->title(), "one.bin");
        QCOMPARE(hex.ui->tableView1->model()->rowCount(), 2);
        QVERIFY(hex.ui->tableView2->isHidden());
        QVERIFY(!hex.ui->openFile2Button->isHidden());
        QCOMPARE(hex.ui->groupBox_2->title(), "File2");
        QVERIFY(!hex.loadFile(1, path)); // each side once
        QHeaderView* header = hex.ui->tableView1->horizontalHeader();
        QTRY_COMPARE(header->sectionResizeMode(1), QHeaderView::Fixed);
        QCOMPARE(header->sectionSize(16), 35);
        QCOMPARE(header->sectionSize(17), 30);
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::ResizeToContents);
    }

    void loadRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("missing-directory") << "missing"
                                           << "Cannot open file ";
        QTest::newRow("directory") << "directory"
                                   << "Cannot open file ";
        QTest::newRow("fifo") << "fifo"
                              << "Cannot open file ";
        QTest::newRow("sparse-2GiB-minus-16") << "huge"
                                              << "File ";
    }
    void loadRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, textStart);
        QString path = dir.filePath(kind);
        if (kind == "missing") {
            path = dir.filePath("no/such/dir/file.bin");
        } else if (kind == "directory") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else {
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

    void emptyFileLoadsAndSaves()
    {
        const QString path = dir.filePath("empty.bin");
        QVERIFY(python(path, "open(path,'wb').close()"));
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        QCOMPARE(hex.model1->rowCount(), 0);
        const QString out = dir.filePath("empty-out.bin");
        ModalAnswer answer;
        QVERIFY(hex.saveFileTo(1, out));
        QCOMPARE(answer.text(), "File saved successfully.");
        QVERIFY(QFileInfo(out).isFile());
        QCOMPARE(QFileInfo(out).size(), 0);
    }

    void editorTakesTwoDigitsFromTheFirstLoad()
    {
        const QString path = randomFile("edit1.bin", 64);
        const QByteArray before = readAll(path);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
        QTableView* view = hex.ui->tableView1;
        const QModelIndex cell = hex.model1->index(1, 3); // offset 18

        view->setCurrentIndex(cell);
        view->edit(cell);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QVERIFY(editor->validator());
        editor->selectAll();
        QTest::keyClicks(editor, "abc"); // the third digit is refused
        QCOMPARE(editor->text(), "ab");
        QTest::keyClick(editor, Qt::Key_Return); // commits on the next event-loop pass
        QTRY_COMPARE(uchar(hex.model1->getByteArray().at(18)), uchar(0xAB));
        QTRY_VERIFY(!view->viewport()->findChild<QLineEdit*>());
        QCOMPARE(hex.model1->data(cell).toString(), "AB");
        QVERIFY(hex.modified1); // marked although file 2 is not there

        // An emptied editor changes nothing.
        const QModelIndex other = hex.model1->index(0, 1);
        view->setCurrentIndex(other);
        view->edit(other);
        editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->clear();
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!view->viewport()->findChild<QLineEdit*>());
        QCOMPARE(hex.model1->getByteArray().at(0), before.at(0));

        // No editor for the address or character cells.
        QStyleOptionViewItem option;
        QVERIFY(!hex.delegate->createEditor(view, option, hex.model1->index(0, 0)));
        QVERIFY(!hex.delegate->createEditor(view, option, hex.model1->index(0, 17)));
    }

    void editTintsBothTablesAndFollowsTheStrip()
    {
        const QString a = randomFile("same-a.bin", 4096, 5);
        const QString b = copyOf(a, "same-b.bin");
        quenlix_hex_tools hex;
        hex.resize(1200, 700);
        QVERIFY(hex.loadFile(1, a));
        QVERIFY(hex.loadFile(2, b));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
        QVERIFY(hex.diffWidget->differingRows().isEmpty());
        const QModelIndex cell1 = hex.model1->index(2, 5);
        const QModelIndex cell2 = hex.model2->index(2, 5);
        QVERIFY(!isTintedRed(cellCorner(hex.ui->tableView1, cell1)));

        const uchar old = uchar(hex.model1->getByteArray().at(2 * 16 + 4));
        QVERIFY(hex.model1->setData(cell1, QString::number(old ^ 0xFF, 16)));
        QVERIFY(isTintedRed(cellCorner(hex.ui->tableView1, cell1)));
        QVERIFY(isTintedRed(cellCorner(hex.ui->tableView2, cell2)));
        QVERIFY(hex.diffWidget->differingRows().test(2));
        QVERIFY(hex.modified1);
        QVERIFY(!hex.modified2);

        // Editing it back removes the tint and the strip's mark.
        QVERIFY(hex.model1->setData(cell1, QString::number(old, 16)));
        QVERIFY(!isTintedRed(cellCorner(hex.ui->tableView2, cell2)));
        QVERIFY(hex.diffWidget->differingRows().isEmpty());
    }

    void scrollAndSelectionFollow()
    {
        const QString a = randomFile("sel-a.bin", 16 * 300, 2);
        const QString b = randomFile("sel-b.bin", 16 * 200, 3);
        quenlix_hex_tools hex;
        hex.resize(1200, 600);
        QVERIFY(hex.loadFile(1, a));
        QVERIFY(hex.loadFile(2, b));
        hex.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hex));
        QTableView* v1 = hex.ui->tableView1;
        QTableView* v2 = hex.ui->tableView2;

        v2->verticalScrollBar()->setValue(40);
        QCOMPARE(v1->verticalScrollBar()->value(), 40);

        const QItemSelection cells(hex.model1->index(3, 2), hex.model1->index(4, 5));
        v1->selectionModel()->select(cells, QItemSelectionModel::ClearAndSelect);
        const QItemSelection mirrored = v2->selectionModel()->selection();
        QCOMPARE(mirrored.size(), 1);
        QCOMPARE(mirrored.first().model(), hex.model2);
        QCOMPARE(mirrored.first().topLeft(), hex.model2->index(3, 2));
        QCOMPARE(mirrored.first().bottomRight(), hex.model2->index(4, 5));
        QCOMPARE(hex.delegate->highlighted(), 3);
        // The selected row is tinted yellow in both tables (the address never differs).
        v1->verticalScrollBar()->setValue(0);
        const QRgb tint = cellCorner(v2, hex.model2->index(3, 0));
        const QRgb plain = cellCorner(v2, hex.model2->index(6, 0));
        QVERIFY2(qRed(plain) > 240 && qGreen(plain) > 240 && qBlue(plain) > 240,
                 qPrintable(QColor(plain).name()));
        QVERIFY2(qRed(tint) > 200 && qGreen(tint) > 200 && qBlue(tint) < 200,
                 qPrintable(QColor(tint).name()));

        // Select-all on the longer file stays one range, clipped to the shorter file.
        v1->clearSelection();
        QVERIFY(!v2->selectionModel()->hasSelection());
        v1->selectAll();
        const QItemSelection all = v2->selectionModel()->selection();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().bottomRight(), hex.model2->index(199, 32));
        QCOMPARE(all.first().model(), hex.model2);
    }

    void saveWritesExactlyTheEdits()
    {
        const QString path = randomFile("save.bin", 1000, 9);
        const QString original = copyOf(path, "save-original.bin");
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        const QList<qint64> offsets{0, 15, 16, 517, 999};
        for (qint64 o : offsets) {
            const uchar now = uchar(hex.model1->getByteArray().at(o));
            QVERIFY(hex.model1->setData(hex.model1->indexOfOffset(o), QString::number(now ^ 0x81, 16)));
        }
        QVERIFY(hex.modified1);
        {
            ModalAnswer answer;
            hex.ui->saveFiel1pushButton->click();
            QCOMPARE(answer.title(), "Save");
            QCOMPARE(answer.text(), "File saved successfully.");
        }
        QVERIFY(!hex.modified1);
        QCOMPARE(cmpOffsets(original, path), offsets);
        QCOMPARE(QFileInfo(path).size(), QFileInfo(original).size());
    }

    void failedSaveKeepsFileAndEdit_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing-directory") << "gone/out.bin";
        QTest::newRow("directory-in-place") << "a-directory";
    }
    void failedSaveKeepsFileAndEdit()
    {
        QFETCH(QString, target);
        const QString path = randomFile("keep.bin", 100, 4);
        const QByteArray before = readAll(path);
        const QString badPath = dir.filePath(target);
        if (target == "a-directory")
            QVERIFY(QDir().mkpath(badPath));
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        QVERIFY(hex.model1->setData(hex.model1->index(0, 1), "5A"));
        ModalAnswer answer;
        QVERIFY(!hex.saveFileTo(1, badPath));
        QCOMPARE(answer.title(), "Error");
        QVERIFY(answer.text() == "Failed to open file for writing." ||
                answer.text() == "Failed to write to file.");
        QVERIFY(hex.modified1);
        QCOMPARE(hex.filePath1, path);
        QCOMPARE(readAll(path), before);
        QCOMPARE(QFileInfo(badPath).isDir(), target == "a-directory");
        QDir(badPath).removeRecursively();
    }

    void saveAsRenamesTitleAndQuestion()
    {
        const QString path = randomFile("first-name.bin", 40, 6);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(2, path));
        {
            ModalAnswer answer;
            QVERIFY(hex.saveFileTo(2, dir.filePath("second-name.bin")));
        }
        QCOMPARE(hex.ui->groupBox_2->title(), "second-name.bin");
        QVERIFY(hex.model2->setData(hex.model2->index(0, 2), "00"));
        ModalScript script({"Cancel"});
        QCOMPARE(hex.checkAndSaveModifiedFiles(), -1);
        QCOMPARE(script.texts,
                 QStringList{"File second-name.bin has been modified.\nDo you want to save your changes?"});
    }

    void closeQuestions_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancel-first") << QStringList{"Cancel"} << 1 << false << false;
        QTest::newRow("no-to-both") << QStringList{"No", "No"} << 2 << true << false;
        QTest::newRow("yes-to-both") << QStringList{"Yes", "OK", "Yes", "OK"} << 4 << true << true;
        QTest::newRow("no-then-cancel") << QStringList{"No", "Cancel"} << 2 << false << false;
    }
    void closeQuestions()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, questions);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        const QString a = randomFile("close-a.bin", 64, 11);
        const QString b = randomFile("close-b.bin", 64, 12);
        const QByteArray beforeA = readAll(a);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, a));
        QVERIFY(hex.loadFile(2, b));
        hex.show();
        QVERIFY(hex.model1->setData(hex.model1->index(0, 1), QString::number(uchar(beforeA.at(0)) ^ 1, 16)));
        QVERIFY(hex.model2->setData(hex.model2->index(0, 1), "00"));
        ModalScript script(answers);
        QCOMPARE(hex.close(), closed);
        QCOMPARE(script.titles.size(), questions);
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

    void closingTheTopLevelWindowAsks()
    {
        const QString path = randomFile("host.bin", 32, 13);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* hex = new quenlix_hex_tools(&host);
        layout->addWidget(hex); // re-parenting keeps the same top-level window
        host.show();
        QVERIFY(hex->loadFile(1, path));
        QVERIFY(hex->model1->setData(hex->model1->index(0, 1), "00"));
        {
            ModalScript script({"Cancel"});
            QVERIFY(!host.close());
            QCOMPARE(script.titles, QStringList{"Save Changes"});
            QVERIFY(host.isVisible());
        }
        ModalScript script({"No"});
        QVERIFY(host.close());
        QCOMPARE(script.titles.size(), 1);
    }

    void sameFileOnBothSidesWarns()
    {
        const QString path = randomFile("twice.bin", 32, 14);
        quenlix_hex_tools hex;
        QVERIFY(hex.loadFile(1, path));
        ModalAnswer answer;
        QVERIFY(hex.loadFile(2, path));
        QCOMPARE(answer.title(), "Warning");
        QVERIFY(answer.text().contains("open on both sides"));
    }

    void destroyedWithEverythingAttached()
    {
        const QString a = randomFile("gone-a.bin", 1024, 15);
        const QString b = randomFile("gone-b.bin", 1024, 16);
        auto* hex = new quenlix_hex_tools;
        QVERIFY(hex->loadFile(1, a));
        QVERIFY(hex->loadFile(2, b));
        hex->show();
        hex->ui->tableView1->selectAll();
        QTest::keyClicks(hex->ui->searchInput, "00"); // a search is still pending
        delete hex;
        QTest::qWait(350); // past the search delay: nothing may fire at the deleted tool
    }
};

QTEST_MAIN(TestHexTools)
#include "tst_hextools.moc"
