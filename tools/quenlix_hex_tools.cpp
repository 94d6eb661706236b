#include "tools/quenlix_hex_tools.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

#include "app/pickedfile.h"
#include "tools/diffwidget.h"
#include "tools/hexbytes.h"
#include "tools/hexitemdelegate.h"
#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools_form.h"

namespace {

const char* const fileFilter = QT_TRANSLATE_NOOP("quenlix_hex_tools", "Binary Files (*.bin);;All Files (*)");
const QString invalidSearchStyle = QStringLiteral("QLineEdit { background-color: #FFC8C8; }");
constexpr int searchDelayMs = 300;

// The part of `selection` that exists in `model`, made of `model`'s own indexes.
QItemSelection mapSelection(const QItemSelection& selection, const QAbstractItemModel* model)
{
    QItemSelection mapped;
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    for (const QItemSelectionRange& range : selection) {
        const int bottom = std::min(range.bottom(), rows - 1);
        const int right = std::min(range.right(), columns - 1);
        if (range.top() > bottom || range.left() > right)
            continue;
        mapped.append(
            QItemSelectionRange(model->index(range.top(), range.left()), model->index(bottom, right)));
    }
    return mapped;
}

} // namespace

quenlix_hex_tools::quenlix_hex_tools(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_hex_tools)
{
    ui->setupUi(this);
    filePath1.clear();
    filePath2.clear();
    ui->addressInput->setPlaceholderText(tr("Enter address (hex)"));
    ui->tableView1->hide();
    ui->tableView2->hide();
    ui->saveFiel1pushButton->hide();
    ui->saveFiel2pushButton->hide();

    QFont font(QStringLiteral("Monospace"));
    font.setPointSize(12);
    ui->tableView1->setFont(font);
    ui->tableView2->setFont(font);

    connect(ui->openFile1Button, &QPushButton::clicked, this, &quenlix_hex_tools::on_openFile1Button_clicked);
    connect(ui->openFile2Button, &QPushButton::clicked, this, &quenlix_hex_tools::on_openFile2Button_clicked);
    connect(ui->gotoButton, &QPushButton::clicked, this, &quenlix_hex_tools::onGotoButton_clicked);
    addSaveActionsToToolbar();

    diffWidget = new DiffWidget(this);
    ui->horizontalLayout_2->addWidget(diffWidget);

    ui->searchInput->setPlaceholderText(tr("Search (hex)"));
    searchTimer = new QTimer(this);
    searchTimer->setSingleShot(true);
    searchTimer->setInterval(searchDelayMs);
    connect(searchTimer, &QTimer::timeout, this, &quenlix_hex_tools::performSearch);
    connect(ui->prevButton, &QPushButton::clicked, this, &quenlix_hex_tools::onPrevButtonClicked);
    connect(ui->nextButton, &QPushButton::clicked, this, &quenlix_hex_tools::onNextButtonClicked);
    connect(ui->searchInput, &QLineEdit::returnPressed, this, &quenlix_hex_tools::onSearchInputReturnPressed);
    connect(ui->searchInput, &QLineEdit::textChanged, this, &quenlix_hex_tools::onSearchTextChanged);
    connect(diffWidget, &DiffWidget::jumpToRow, this, &quenlix_hex_tools::onJumpToRow);

    linkScrollBars();
    watchTopLevelWindow();
}

quenlix_hex_tools::~quenlix_hex_tools()
{
    // Nothing may reach this object's handlers while its parts go away.
    if (watchedWindow)
        watchedWindow->removeEventFilter(this);
    searchTimer->stop();
    QScrollBar* bar1 = ui->tableView1->verticalScrollBar();
    QScrollBar* bar2 = ui->tableView2->verticalScrollBar();
    disconnect(bar1, nullptr, bar2, nullptr);
    disconnect(bar2, nullptr, bar1, nullptr);
    for (QTableView* view : {ui->tableView1, ui->tableView2}) {
        disconnect(view->verticalScrollBar(), nullptr, this, nullptr);
        if (view->selectionModel())
            disconnect(view->selectionModel(), nullptr, this, nullptr);
        view->setModel(nullptr); // the delegate goes below; an empty view never asks it
    }
    for (HexTableModel* model : {model1, model2}) {
        if (model)
            disconnect(model, nullptr, this, nullptr);
    }
    disconnect(diffWidget, nullptr, this, nullptr);
    diffWidget->setModels(nullptr, nullptr);

    delete ui;
    delete model1;
    delete model2;
    delete delegate;
    delete diffWidget;
}

QTableView* quenlix_hex_tools::viewOf(int side) const
{
    return side == 1 ? ui->tableView1 : ui->tableView2;
}

// ---- opening ----------------------------------------------------------------

void quenlix_hex_tools::on_openFile1Button_clicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open File 1"), QString(), tr(fileFilter));
    if (!path.isEmpty())
        loadFile(1, path);
}

void quenlix_hex_tools::on_openFile2Button_clicked()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open File 2"), QString(), tr(fileFilter));
    if (!path.isEmpty())
        loadFile(2, path);
}

bool quenlix_hex_tools::loadFile(int side, const QString& path)
{
    if ((side != 1 && side != 2) || modelOf(side))
        return false;
    const QString shownPath = QDir::toNativeSeparators(path);
    auto refuse = [&](const QString& reason) {
        QMessageBox::warning(this, tr("Error"), tr("Cannot open file %1: %2").arg(shownPath, reason));
        return false;
    };
    QFile file(path);
    QString error;
    if (!PickedFile::open(file, QIODevice::ReadOnly, &error))
        return refuse(error);
    // Taken before reading: a change made while the file is read still counts as a change.
    const DiskStamp stamp = stampOf(path);
    // Read to the end, not size() bytes: the kernel reports 0 for /proc and /sys files,
    // and a file that grows while it is read would otherwise load cut short.
    const auto tooLarge = [&] {
        QMessageBox::warning(this, tr("Error"), tr("File %1 is too large (limit 2 GiB).").arg(shownPath));
        return false;
    };
    const qint64 size = file.size();
    if (size > HexBytes::maxFileSize)
        return tooLarge();
    // One byte beyond the reported size shows a file that grew without a second buffer.
    QByteArray bytes(size > 0 ? size + 1 : 64 * 1024, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > HexBytes::maxFileSize)
                return tooLarge();
            bytes.resize(std::min(2 * got, HexBytes::maxFileSize + 1));
        }
        const qint64 n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return refuse(file.errorString());
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    if (got < bytes.capacity() / 2)
        bytes.squeeze();
    file.close();

    QTableView* view = viewOf(side);
    view->show();
    (side == 1 ? ui->saveFiel1pushButton : ui->saveFiel2pushButton)->show();
    (side == 1 ? ui->openFile1Button : ui->openFile2Button)->hide();
    setFilePath(side, path);
    loadedStamp[side - 1] = stamp;

    HexTableModel*& model = modelOf(side);
    model = new HexTableModel(bytes, nullptr);
    view->setModel(model);
    // Headers that watch the view's selection test every row of a selected column on
    // each paint (seconds after select-all on a big file): give them one of their own.
    view->horizontalHeader()->setSelectionModel(new QItemSelectionModel(model, view->horizontalHeader()));
    updateItemDelegate();
    QTimer::singleShot(0, this, [this, view] { adjustTableViewColumns(view); });
    connectModelSignals(side);
    linkSelectionModels();
    modifiedOf(side) = false;

    if (model1 && model2) {
        diffWidget->setModels(model1, model2);
        updateDiffWidget(ui->tableView1);
        const QString other = side == 1 ? filePath2 : filePath1;
        if (QFileInfo(other).canonicalFilePath() == QFileInfo(path).canonicalFilePath())
            QMessageBox::warning(this, tr("Warning"),
                                 tr("File %1 is open on both sides: saving one side overwrites "
                                    "the edits of the other.")
                                     .arg(shownPath));
    }
    return true;
}

void quenlix_hex_tools::setFilePath(int side, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (side == 1) {
        filePath1 = path;
        fileName1 = name;
        ui->groupBox_1->setTitle(name);
    } else {
        filePath2 = path;
        fileName2 = name;
        ui->groupBox_2->setTitle(name);
    }
}

// ---- saving -----------------------------------------------------------------

void quenlix_hex_tools::addSaveActionsToToolbar()
{
    connect(ui->saveFiel1pushButton, &QPushButton::clicked, this, [this] { saveFile(1); });
    connect(ui->saveFiel2pushButton, &QPushButton::clicked, this, [this] { saveFile(2); });
}

bool quenlix_hex_tools::saveFile(int side)
{
    if (side != 1 && side != 2)
        return false;
    const QString& path = side == 1 ? filePath1 : filePath2;
    if (path.isEmpty() || !modelOf(side))
        return saveFileAs(side);
    return saveFileTo(side, path);
}

bool quenlix_hex_tools::saveFileAs(int side)
{
    if (side != 1 && side != 2)
        return false;
    if (!modelOf(side)) {
        QMessageBox::warning(this, tr("Error"), tr("Model is not initialized."));
        return false;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, side == 1 ? tr("Save File 1 As") : tr("Save File 2 As"), QString(), tr(fileFilter));
    if (path.isEmpty())
        return false;
    return saveFileTo(side, path);
}

bool quenlix_hex_tools::saveFileTo(int side, const QString& path)
{
    if (side != 1 && side != 2)
        return false;
    const HexTableModel* model = modelOf(side);
    if (!model) {
        QMessageBox::warning(this, tr("Error"), tr("Model is not initialized."));
        return false;
    }
    if (!confirmOverwriteIfChanged(side, path))
        return false;
    // Written beside the target and renamed over it only when complete, so a
    // failure leaves the old file as it was.
    QString error;
    switch (PickedFile::save(path, model->getByteArray(), &error)) {
    case PickedFile::SaveResult::OpenFailed:
        QMessageBox::warning(this, tr("Error"),
                             tr("Failed to open file for writing.") + QLatin1Char('\n') + error);
        return false;
    case PickedFile::SaveResult::WriteFailed:
        QMessageBox::warning(this, tr("Error"), tr("Failed to write to file.") + QLatin1Char('\n') + error);
        return false;
    case PickedFile::SaveResult::Saved:
        break;
    }
    setFilePath(side, path);
    loadedStamp[side - 1] = stampOf(path);
    modifiedOf(side) = false;
    QMessageBox::information(this, tr("Save"), tr("File saved successfully."));
    return true;
}

quenlix_hex_tools::DiskStamp quenlix_hex_tools::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

// Another program may have written the file since it was loaded (a log appended, a build
// output replaced): the tables hold the old bytes, and writing them would undo that change.
bool quenlix_hex_tools::confirmOverwriteIfChanged(int side, const QString& path)
{
    const QString& loadedPath = side == 1 ? filePath1 : filePath2;
    const DiskStamp now = stampOf(path);
    if (path != loadedPath || now.size < 0 || now == loadedStamp[side - 1])
        return true;
    const auto answer = QMessageBox::question(
        this, tr("File Changed on Disk"),
        tr("File %1 has been changed on disk since it was loaded (%2 bytes then, %3 bytes now).\n"
           "Overwrite it with the bytes shown here and lose that change?")
            .arg(QDir::toNativeSeparators(path))
            .arg(loadedStamp[side - 1].size)
            .arg(now.size),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

// ---- closing ----------------------------------------------------------------

int quenlix_hex_tools::checkAndSaveModifiedFiles()
{
    for (int side : {1, 2}) {
        if (!modifiedOf(side))
            continue;
        const auto answer = QMessageBox::question(
            this, tr("Save Changes"),
            tr("File %1 has been modified.\nDo you want to save your changes?")
                .arg(side == 1 ? fileName1 : fileName2),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
        if (answer == QMessageBox::Yes) {
            if (!saveFile(side))
                return -1; // the edits are not on disk: keep the window open
        } else if (answer != QMessageBox::No) {
            return -1;
        }
    }
    return 0;
}

void quenlix_hex_tools::closeEvent(QCloseEvent* event)
{
    if (checkAndSaveModifiedFiles() == 0)
        event->accept();
    else
        event->ignore();
}

bool quenlix_hex_tools::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        watchTopLevelWindow();
    return QWidget::event(event);
}

// The tool sits inside the main window and gets no close event of its own when
// the program is closed: ask from the top-level window's close instead.
void quenlix_hex_tools::watchTopLevelWindow()
{
    QWidget* top = window();
    if (top == this)
        top = nullptr;
    if (top == watchedWindow)
        return;
    if (watchedWindow)
        watchedWindow->removeEventFilter(this);
    watchedWindow = top;
    if (watchedWindow)
        watchedWindow->installEventFilter(this);
}

bool quenlix_hex_tools::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow && event->type() == QEvent::Close && checkAndSaveModifiedFiles() != 0) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- wiring -----------------------------------------------------------------

void quenlix_hex_tools::updateItemDelegate()
{
    // The delegate (and its two-digit editor) serves from the first load on; it
    // compares cells only once both files are there.
    if (!delegate) {
        delegate = new HexItemDelegate(model1, model2, nullptr);
        ui->tableView1->setItemDelegate(delegate);
        ui->tableView2->setItemDelegate(delegate);
    }
    delegate->setModels(model1, model2);
}

void quenlix_hex_tools::connectModelSignals(int side)
{
    HexTableModel* model = modelOf(side);
    connect(
        model, &QAbstractItemModel::dataChanged, this,
        [this, side](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
            if (delegate)
                delegate->updateCell(topLeft, viewOf(side), viewOf(3 - side));
            const bool repaintOnly =
                topLeft == bottomRight && (roles.isEmpty() || roles == QList<int>{Qt::EditRole});
            if (repaintOnly)
                return;
            modifiedOf(side) = true;
            for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                diffWidget->updateRow(row);
        });
}

void quenlix_hex_tools::linkScrollBars()
{
    QScrollBar* bar1 = ui->tableView1->verticalScrollBar();
    QScrollBar* bar2 = ui->tableView2->verticalScrollBar();
    connect(bar1, &QScrollBar::valueChanged, bar2, &QScrollBar::setValue);
    connect(bar2, &QScrollBar::valueChanged, bar1, &QScrollBar::setValue);
    connect(bar1, &QScrollBar::valueChanged, this, [this] { updateDiffWidget(ui->tableView1); });
    connect(bar2, &QScrollBar::valueChanged, this, [this] { updateDiffWidget(ui->tableView2); });
}

void quenlix_hex_tools::linkSelectionModels()
{
    syncSelection(ui->tableView1->selectionModel(), ui->tableView2->selectionModel());
    syncSelection(ui->tableView2->selectionModel(), ui->tableView1->selectionModel());
}

void quenlix_hex_tools::syncSelection(QItemSelectionModel* source, QItemSelectionModel* target)
{
    if (!source || !target)
        return;
    connect(source, &QItemSelectionModel::selectionChanged, this,
            [this, target](const QItemSelection& selected, const QItemSelection& deselected) {
                if (syncingSelection)
                    return;
                const QScopedValueRollback<bool> guard(syncingSelection, true);
                // Ranges, not indexes: a select-all stays one range however big the files.
                target->select(mapSelection(selected, target->model()), QItemSelectionModel::Select);
                target->select(mapSelection(deselected, target->model()), QItemSelectionModel::Deselect);
                if (delegate) {
                    if (!selected.isEmpty())
                        delegate->highlight(selected.first().topLeft());
                    else if (deselected.isEmpty())
                        delegate->highlight(QModelIndex());
                }
                repaintTables();
            });
}

void quenlix_hex_tools::adjustTableViewColumns(QTableView* view)
{
    if (!view->model() || view->model()->columnCount() < HexTableModel::columns)
        return;
    QHeaderView* header = view->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int column = 1; column < HexTableModel::columns; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, column < HexTableModel::firstCharColumn ? 35 : 30);
    }
}

void quenlix_hex_tools::repaintTables()
{
    ui->tableView1->viewport()->update();
    ui->tableView2->viewport()->update();
}

void quenlix_hex_tools::updateDiffWidget(QTableView* view)
{
    if (!diffWidget || !model1 || !model2 || !view)
        return;
    int first = view->rowAt(0);
    if (first < 0)
        first = 0;
    int last = view->rowAt(view->viewport()->height() - 1);
    if (last < 0)
        last = std::max(model1->rowCount(), model2->rowCount());
    diffWidget->setVisibleRows(first, last);
    diffWidget->update();
}

// ---- going to an address ------------------------------------------------------

int quenlix_hex_tools::hexStringToInt(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok && value >= 0 ? value : -1;
}

void quenlix_hex_tools::onGotoButton_clicked()
{
    if (!model1) {
        QMessageBox::warning(this, tr("Warning"), tr("No file 1 loaded."));
        return;
    }
    const int address = hexStringToInt(ui->addressInput->text());
    if (address < 0) {
        QMessageBox::warning(this, tr("Invalid Address"), tr("Please enter a valid hexadecimal address."));
        return;
    }
    if (address / HexBytes::bytesPerRow >= model1->rowCount()) {
        QMessageBox::warning(
            this, tr("Invalid Address"),
            tr("Address %1 is beyond the end of file 1.").arg(QString::number(address, 16).toUpper()));
        return;
    }
    gotoAddress(address);
}

void quenlix_hex_tools::selectRow(QTableView* view, HexTableModel* model, int row, int scrollHint)
{
    if (!model || row < 0 || row >= model->rowCount())
        return;
    const QModelIndex index = model->index(row, 0);
    view->scrollTo(index, QAbstractItemView::ScrollHint(scrollHint));
    if (QItemSelectionModel* selection = view->selectionModel()) {
        selection->clearSelection();
        selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void quenlix_hex_tools::gotoAddress(int address)
{
    if ((!model1 && !model2) || address < 0)
        return;
    const int row = address / HexBytes::bytesPerRow;
    {
        // Both tables are set here; the linked-selection handler stays out.
        const QScopedValueRollback<bool> guard(syncingSelection, true);
        selectRow(ui->tableView1, model1, row, QAbstractItemView::PositionAtTop);
        selectRow(ui->tableView2, model2, row, QAbstractItemView::PositionAtTop);
    }
    if (delegate && model1 && model2)
        delegate->highlight((row < model1->rowCount() ? model1 : model2)->index(row, 0));
    repaintTables();
}

void quenlix_hex_tools::onJumpToRow(int row)
{
    gotoAddress(row * HexBytes::bytesPerRow);
}

// ---- search -----------------------------------------------------------------

void quenlix_hex_tools::onSearchTextChanged()
{
    const bool invalid =
        HexBytes::parsePattern(ui->searchInput->text(), nullptr) == HexBytes::PatternStatus::Invalid;
    ui->searchInput->setStyleSheet(invalid ? invalidSearchStyle : QString());
    searchTimer->start(); // typing fast runs one search, not one per key
}

void quenlix_hex_tools::performSearch()
{
    searchTimer->stop();
    searchPattern.clear();
    currentHitSide = 0;
    currentHitOffset = -1;

    QByteArray pattern;
    HexRowSet rows; // rows with hits, one bit each, for the strip
    if (HexBytes::parsePattern(ui->searchInput->text(), &pattern) == HexBytes::PatternStatus::Valid) {
        searchPattern = pattern;
        rows.reset(std::max(model1 ? model1->rowCount() : 0, model2 ? model2->rowCount() : 0));
        // One pass over each file marks its rows and finds its first hit.
        for (int side : {1, 2}) {
            const HexTableModel* model = modelOf(side);
            const qint64 first = model ? HexBytes::markHitRows(model->getByteArray(), pattern, &rows) : -1;
            if (first >= 0 && currentHitSide == 0) {
                currentHitSide = side;
                currentHitOffset = first;
            }
        }
    }
    if (currentHitSide != 0) {
        highlightCurrentSearchResult();
        diffWidget->setSearchRows(rows);
        return;
    }
    if (delegate) {
        delegate->highlight(QModelIndex());
        repaintTables();
    }
    diffWidget->setSearchRows(HexRowSet());
}

qint64 quenlix_hex_tools::findIn(int side, qint64 from, bool forward) const
{
    const HexTableModel* model = side == 1 ? model1 : model2;
    if (!model || searchPattern.isEmpty() || from < 0)
        return -1;
    const QByteArray& data = model->getByteArray();
    return forward ? HexBytes::indexOf(data, searchPattern, from)
                   : HexBytes::lastIndexOf(data, searchPattern, from);
}

void quenlix_hex_tools::highlightCurrentSearchResult()
{
    const HexTableModel* model = currentHitSide == 1 ? model1 : currentHitSide == 2 ? model2 : nullptr;
    if (!model)
        return;
    const int row = int(currentHitOffset / HexBytes::bytesPerRow);
    {
        const QScopedValueRollback<bool> guard(syncingSelection, true);
        selectRow(ui->tableView1, model1, row, QAbstractItemView::PositionAtCenter);
        selectRow(ui->tableView2, model2, row, QAbstractItemView::PositionAtCenter);
    }
    if (delegate) {
        delegate->highlight(model->indexOfOffset(currentHitOffset));
        repaintTables();
    }
}

void quenlix_hex_tools::stepSearch(bool forward)
{
    if (searchTimer->isActive() || currentHitSide == 0)
        performSearch();
    if (currentHitSide == 0) {
        reportNoHits();
        return;
    }
    // File 1's hits come before file 2's, and the walk wraps around at either end.
    qint64 at = forward ? findIn(currentHitSide, currentHitOffset + 1, true)
                        : (currentHitOffset > 0 ? findIn(currentHitSide, currentHitOffset - 1, false) : -1);
    int side = currentHitSide;
    for (int k = 1; at < 0 && k <= 2; ++k) {
        side = 3 - side;
        at = forward ? findIn(side, 0, true) : findIn(side, HexBytes::maxFileSize, false);
    }
    if (at < 0) { // the bytes were edited away since the search
        performSearch();
        if (currentHitSide == 0)
            reportNoHits();
        return;
    }
    currentHitSide = side;
    currentHitOffset = at;
    highlightCurrentSearchResult();
}

void quenlix_hex_tools::onNextButtonClicked()
{
    stepSearch(true);
}

void quenlix_hex_tools::onPrevButtonClicked()
{
    stepSearch(false);
}

void quenlix_hex_tools::onSearchInputReturnPressed()
{
    performSearch();
    if (currentHitSide == 0)
        reportNoHits();
}

void quenlix_hex_tools::reportNoHits()
{
    if (HexBytes::parsePattern(ui->searchInput->text(), nullptr) == HexBytes::PatternStatus::Invalid)
        QMessageBox::information(this, tr("Search"),
                                 tr("Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD."));
    else
        QMessageBox::information(this, tr("Search"), tr("No results found."));
}
