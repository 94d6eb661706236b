// The CIE 1931 plot: the diagram picture, the marked point and its value box.
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>

#include "sensors/quenlix_cie_widget.h"
#include "sensors/quenlix_cieplot.h"
#include "tests/common/modalanswer.h"

namespace {

// The widget as painted, at one device pixel per logical pixel.
QImage painted(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

} // namespace

class TestCiePlot : public QObject
{
    Q_OBJECT
private slots:
    void diagramCoversTheChromaticityRange()
    {
        quenlix_cieplot plot;
        QVERIFY(plot.renderer->isValid());
        plot.resize(800, 900); // 1000 px per unit of x and y
        const QImage image = painted(plot);
        const auto at = [&](double x, double y) {
            const QPointF p = plot.cieToPixel(x, y);
            return image.pixel(int(p.x()), int(p.y()));
        };
        // Inside the horseshoe: green at the top left, reddish at the right, blue at the bottom.
        // (Samples stay off the grid lines at every 0.1.)
        QVERIFY(qGreen(at(0.22, 0.68)) > 200 && qRed(at(0.22, 0.68)) < 120);
        QVERIFY(qRed(at(0.62, 0.34)) > 200 && qBlue(at(0.62, 0.34)) < 120);
        QVERIFY(qBlue(at(0.16, 0.04)) > 200 && qGreen(at(0.16, 0.04)) < 120);
        // Outside it, below the line of purples and left of the blue end: the white page.
        QCOMPARE(at(0.68, 0.12), qRgb(255, 255, 255));
        QCOMPARE(at(0.04, 0.22), qRgb(255, 255, 255));
    }

    void pointAndBox()
    {
        quenlix_cieplot plot;
        plot.resize(800, 900);
        QVERIFY(!plot.valueBoxRect().isValid()); // no point before the first reading
        plot.plotPoint(0.587309, 0.424433, 682.496, 1763.247393);
        QCOMPARE(plot.valueText(), QStringLiteral("x=0.587\ny=0.424\nLux:682.5\nCCT:1763K"));
        const QPointF p = plot.cieToPixel(0.587309, 0.424433);
        QCOMPARE(p.x(), 0.587309 / 0.8 * 800);
        QCOMPARE(p.y(), 900 - 0.424433 / 0.9 * 900);
        QVERIFY(isRed(painted(plot).pixel(p.toPoint())));
        const QRect box = plot.valueBoxRect();
        QCOMPARE(box.left(), qRound(p.x()) + 8);

        // Off the right edge: the point is clipped, the box comes back to end at W - 5.
        plot.plotPoint(0.95, 0.3, 1, 1);
        QCOMPARE(plot.valueBoxRect().right(), 800 - 5);
        // Near the top: the box moves down to top 5.
        plot.plotPoint(0.3, 0.899, 1, 1);
        QCOMPARE(plot.valueBoxRect().top(), 5);

        // An unreadable y hides the point.
        plot.plotPoint(0.3, -1.0, 0, -1);
        QVERIFY(!plot.valueBoxRect().isValid());
        QVERIFY(!isRed(painted(plot).pixel(plot.cieToPixel(0.3, 0.3).toPoint())));
        // Without area there is no position at all.
        plot.setMinimumSize(0, 0);
        plot.resize(0, 10);
        QCOMPARE(plot.cieToPixel(0.3, 0.3), QPointF(-1, -1));
        plot.plotPoint(0.3, 0.3, 0, 0);
        QVERIFY(!plot.valueBoxRect().isValid());
    }

    void manualEntry()
    {
        quenlix_cie_widget widget;
        auto* plotButton = widget.findChild<QPushButton*>("plotButton");
        QVERIFY(plotButton && plotButton->isHidden());
        const auto edit = [&](const char* name) { return widget.findChild<QLineEdit*>(name); };
        edit("xLineEdit")->setText("0.31");
        edit("yLineEdit")->setText("0.33");
        edit("luxLineEdit")->setText("bright");
        plotButton->click();
        QCOMPARE(widget.plot->pointX, 0.31);
        QCOMPARE(widget.plot->pointY, 0.33);
        QCOMPARE(widget.plot->lux, 0.0);

        edit("yLineEdit")->setText("");
        ModalAnswer answer("OK");
        plotButton->click();
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QString::fromUtf8("输入错误"));
        QCOMPARE(answer.text(), QString::fromUtf8("请输入有效的 CIE x 和 CIE y 值。"));
        QCOMPARE(widget.plot->pointY, 0.33);
    }
};

QTEST_MAIN(TestCiePlot)
#include "tst_cie_plot.moc"
