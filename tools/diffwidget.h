#pragma once

#include <QPointer>
#include <QWidget>

#include <algorithm>

#include "tools/hexbytes.h"

class HexTableModel;

// Narrow strip beside the hex tables: maps the rows of the longer file onto its
// height, marks rows that differ (red) and rows with search hits (orange), and
// reports the row under a mouse press.
class DiffWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DiffWidget(QWidget* parent = nullptr);
    ~DiffWidget() override;

    static QColor searchColor() { return QColor(255, 200, 0); }

    void setModels(HexTableModel* model1, HexTableModel* model2);
    void updateDiffs();
    // Re-evaluates one row after an edit.
    void updateRow(int row);
    void setVisibleRows(int first, int last);
    // Rows holding search hits (of either file); an empty set removes the marks.
    void setSearchRows(const HexRowSet& rows);

    const HexRowSet& differingRows() const { return diffRows; }
    const HexRowSet& searchRows() const { return searchHits; }

public slots:
    void onDataChanged();

signals:
    void jumpToRow(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int totalRows() const;
    int markHeight(float scale) const { return int(std::max(2.0f, scale)); }
    int nearestMarkedRow(int row, int pixel, float scale) const;
    void drawMarks(QPainter& painter, const HexRowSet& rows, const QColor& colour, float scale) const;

    QPointer<HexTableModel> model1;
    QPointer<HexTableModel> model2;
    HexRowSet diffRows;
    HexRowSet searchHits;
    int firstVisible = 0;
    int lastVisible = 0;
};
