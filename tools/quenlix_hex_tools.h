#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QWidget>

class DiffWidget;
class HexItemDelegate;
class HexTableModel;
class QItemSelection;
class QItemSelectionModel;
class QTableView;
class QTimer;
class Ui_quenlix_hex_tools;

// The "Hex" tool: two files side by side as hex tables, scrolled and selected
// together, with their differences tinted and marked on a strip; single bytes
// can be edited and each file written back whole.
class quenlix_hex_tools : public QWidget
{
    Q_OBJECT
public:
    explicit quenlix_hex_tools(QWidget* parent = nullptr);
    ~quenlix_hex_tools() override;

    // What the Open and Save buttons do after their dialogs; side is 1 or 2.
    bool loadFile(int side, const QString& path);
    bool saveFileTo(int side, const QString& path);

    void on_openFile1Button_clicked();
    void on_openFile2Button_clicked();
    bool saveFile(int side);
    bool saveFileAs(int side);
    // 0: the caller may go on (close); -1: the user cancelled or a save failed.
    int checkAndSaveModifiedFiles();

    int hexStringToInt(const QString& text);
    void gotoAddress(int address);
    void highlightCurrentSearchResult();

    // Kept public so tests can look at the tool's state.
    Ui_quenlix_hex_tools* ui = nullptr;
    HexTableModel* model1 = nullptr;
    HexTableModel* model2 = nullptr;
    HexItemDelegate* delegate = nullptr;
    bool modified1 = false;
    bool modified2 = false;
    QString filePath1;
    QString filePath2;
    DiffWidget* diffWidget = nullptr;
    QString fileName1;
    QString fileName2;
    // The hit shown: side 1 or 2 (0 when none) and the offset of its first byte.
    int currentHitSide = 0;
    qint64 currentHitOffset = -1;

public slots:
    void onGotoButton_clicked();
    void updateDiffWidget(QTableView* view);
    void onPrevButtonClicked();
    void onNextButtonClicked();
    void onSearchInputReturnPressed();
    void performSearch();
    void onJumpToRow(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HexTableModel*& modelOf(int side) { return side == 1 ? model1 : model2; }
    QTableView* viewOf(int side) const;
    bool& modifiedOf(int side) { return side == 1 ? modified1 : modified2; }
    void setFilePath(int side, const QString& path);

    // What the file on disk looked like when it was loaded or last saved.
    struct DiskStamp
    {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const DiskStamp& o) const { return size == o.size && modified == o.modified; }
    };
    static DiskStamp stampOf(const QString& path);
    bool confirmOverwriteIfChanged(int side, const QString& path);

    void addSaveActionsToToolbar();
    void updateItemDelegate();
    void connectModelSignals(int side);
    void linkScrollBars();
    void linkSelectionModels();
    void syncSelection(QItemSelectionModel* source, QItemSelectionModel* target);
    void adjustTableViewColumns(QTableView* view);
    void watchTopLevelWindow();
    void repaintTables();
    void selectRow(QTableView* view, HexTableModel* model, int row, int scrollHint);

    void onSearchTextChanged();
    void stepSearch(bool forward);
    qint64 findIn(int side, qint64 from, bool forward) const;
    void reportNoHits();

    DiskStamp loadedStamp[2];
    QPointer<QWidget> watchedWindow;
    QTimer* searchTimer = nullptr;
    QByteArray searchPattern;
    bool syncingSelection = false;
};
