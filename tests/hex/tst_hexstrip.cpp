#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "tools/diffwidget.h"
#include "tools/hextablemodel.h"

namespace {

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

bool isOrange(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 150 && qGreen(c) < 230 && qBlue(c) < 60;
}

// Pixel lines (y) of the strip's mark column that carry the given colour.
QList<int> markedLines(DiffWidget& strip, bool (*colour)(QRgb))
{
    const QImage image = strip.grab().toImage();
    QList<int> lines;
    for (int y = 0; y < image.height(); ++y) {
        if (colour(image.pixel(3, y)))
            lines << y;
    }
    return lines;
}

QByteArray withChangedRows(QByteArray bytes, const QList<int>& rows)
{
    for (int row : rows)
        bytes[row * 16 + 3] = char(bytes.at(row * 16 + 3) ^ 0x55);
    return bytes;
}

} // namespace

class TestHexStrip : public QObject
{
    Q_OBJECT
private slots:
    void markGeometry_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("diffRow");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("markHeight");
        QTest::newRow("100-rows-on-500px") << 100 << 500 << 10 << 50 << 5;
        QTest::newRow("1000-rows-on-500px-last-row") << 1000 << 500 << 999 << 499 << 2;
        QTest::newRow("1000-rows-on-500px-row-500") << 1000 << 500 << 500 << 250 << 2;
    }
    void markGeometry()
    {
        QFETCH(int, rows);
        QFETCH(int, height);
        QFETCH(int, diffRow);
        QFETCH(int, top);
        QFETCH(int, markHeight);
        const QByteArray a(rows * 16, '\0');
        HexTableModel m1(a), m2(withChangedRows(a, {diffRow}));
        DiffWidget strip;
        strip.resize(20, height);
        strip.setModels(&m1, &m2);
        QCOMPARE(strip.width(), 20);
        // The pen outlines the 10-wide rectangle, so it covers one more line below.
        QList<int> expected;
        for (int y = top; y <= std::min(top + markHeight, height - 1); ++y)
            expected << y;
        QCOMPARE(markedLines(strip, isRed), expected);
    }

    void pressReportsRow_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("row");
        QTest::newRow("scale-5") << 100 << 52 << 10;
        QTest::newRow("scale-half") << 1000 << 499 << 998;
        QTest::newRow("top") << 1000 << 0 << 0;
    }
    void pressReportsRow()
    {
        QFETCH(int, rows);
        QFETCH(int, y);
        QFETCH(int, row);
        const QByteArray a(rows * 16, '\0');
        HexTableModel m1(a), m2(a);
        DiffWidget strip;
        strip.resize(20, 500);
        QSignalSpy jumps(&strip, &DiffWidget::jumpToRow);
        QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(5, y));
        QCOMPARE(jumps.size(), 0); // no models yet: the press is ignored
        strip.setModels(&m1, &m2);
        QTest::mouseClick(&strip, Qt::RightButton, {}, QPoint(5, y));
        QCOMPARE(jumps.size(), 1);
        QCOMPARE(jumps.at(0).at(0).toInt(), row);
    }

    void identicalFilesShowOnlyTheGuideLine()
    {
        const QByteArray a(4096, 'x');
        HexTableModel m1(a), m2(a);
        DiffWidget strip;
        strip.resize(20, 300);
        strip.setModels(&m1, &m2);
        QVERIFY(strip.differingRows().isEmpty());
        QVERIFY(markedLines(strip, isRed).isEmpty());
        const QImage image = strip.grab().toImage();
        QCOMPARE(QColor(image.pixel(5, 150)), QColor(Qt::lightGray));
    }

    void filesOfDifferentLengthMarkTheRest()
    {
        // 10 and 20 full rows that agree in their first 10 rows.
        const QByteArray longer(20 * 16, 'q');
        HexTableModel m1(longer.left(10 * 16)), m2(longer);
        DiffWidget strip;
        strip.resize(20, 200); // 10 px a row
        strip.setModels(&m1, &m2);
        const QList<int> lines = markedLines(strip, isRed);
        QCOMPARE(lines.first(), 100);
        QCOMPARE(lines.last(), 199);
        QCOMPARE(lines.size(), 100);
    }

    void searchMarkCoversDifference()
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

    void manyRowsMarkEveryLineWithoutGaps_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::newRow("fully-different-200k-rows") << 200000 << 487;
        QTest::newRow("fully-different-999-rows") << 999 << 500;
        QTest::newRow("sparse-3k-rows") << 3000 << 433;
    }
    void manyRowsMarkEveryLineWithoutGaps()
    {
        QFETCH(int, rows);
        QFETCH(int, height);
        const QByteArray a(qsizetype(rows) * 16, '\x11');
        QByteArray b;
        QList<int> changed;
        if (QByteArray(QTest::currentDataTag()).startsWith("sparse")) {
            for (int r = 0; r < rows; r += 37)
                changed << r;
            b = withChangedRows(a, changed);
        } else {
            b = QByteArray(a.size(), '\x22');
            for (int r = 0; r < rows; ++r)
                changed << r;
        }
        HexTableModel m1(a), m2(b);
        DiffWidget strip;
        strip.resize(20, height);
        strip.setModels(&m1, &m2);
        // Every line that one of the changed rows maps to (with its minimum height) is marked.
        const float scale = float(height) / float(rows);
        QSet<int> expected;
        for (int r : changed) {
            const int top = int(float(r) * scale);
            for (int y = top; y <= top + int(std::max(2.0f, scale)) && y < height; ++y)
                expected << y;
        }
        const QList<int> lines = markedLines(strip, isRed);
        QCOMPARE(QSet<int>(lines.begin(), lines.end()), expected);
    }
};

QTEST_MAIN(TestHexStrip)
#include "tst_hexstrip.moc"
