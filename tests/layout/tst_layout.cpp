// Every tab and dialog at the window's size, in English and Simplified Chinese, measured widget
// by widget: text not clipped, no blank buttons, captions beside their fields, no overlaps, no
// empty bands, custom-drawn widgets that draw. Built with PLAX_SCREENSHOTS it saves pictures instead.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QWindow>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/startup.h"
#include "tests/common/testhome.h"

namespace {

constexpr int slack = 12; // pixels a caption may stand from its field; a band may stay empty

bool ours(const QWidget* w)
{
    const QString name = w->objectName();
    return w->isVisible() && !w->isWindow() && !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

bool isField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w);
}

QString labelText(const QWidget* w)
{
    const auto* label = qobject_cast<const QLabel*>(w);
    return label && label->pixmap().isNull() ? label->text() : QString();
}

QList<QWidget*> siblings(const QWidget* parent)
{
    QList<QWidget*> list;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (ours(w))
            list << w;
    return list;
}

// Where the label's text actually stands inside its widget.
QRect textRect(const QLabel* label)
{
    const QRect box = label->geometry();
    const QSize hint = label->sizeHint().boundedTo(box.size());
    QRect text(QPoint(), hint);
    const Qt::Alignment a = label->alignment();
    const int x = a & Qt::AlignRight     ? box.right() - hint.width() + 1
                  : a & Qt::AlignHCenter ? box.center().x() - hint.width() / 2
                                         : box.left();
    const int y = a & Qt::AlignTop      ? box.top()
                  : a & Qt::AlignBottom ? box.bottom() - hint.height() + 1
                                        : box.center().y() - hint.height() / 2;
    text.moveTo(x, y);
    return text;
}

// Distance to the nearest sibling right of or below `from`, and whether that sibling is a field.
struct Neighbour
{
    int gap = INT_MAX;
    QWidget* widget = nullptr;
};
Neighbour nearest(const QList<QWidget*>& others, const QWidget* self, const QRect& from, bool right)
{
    Neighbour best;
    for (QWidget* o : others) {
        const QRect g = o->geometry();
        if (o == self)
            continue;
        const bool lined = right ? g.top() < from.bottom() && g.bottom() > from.top()
                                 : g.left() < from.right() && g.right() > from.left();
        const int gap = right ? g.left() - from.right() - 1 : g.top() - from.bottom() - 1;
        if (lined && gap >= -2 && gap < best.gap)
            best = {gap, o};
    }
    return best;
}

// True when the widget's picture holds more than one colour.
bool draws(QWidget* w)
{
    const QImage image = w->grab().toImage();
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

QStringList problemsIn(QWidget* root)
{
    QStringList problems;
    auto report = [&problems](const QWidget* w, const QString& what) {
        problems << QStringLiteral("%1 (%2): %3").arg(w->objectName(), w->metaObject()->className(), what);
    };
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if (!ours(w) && w != root)
            continue;
        const QSize size = w->size();
        const QSize hint = w->sizeHint();
        const QString text = labelText(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        if (label && !text.isEmpty() && label->wordWrap()) {
            if (size.height() + 1 < label->heightForWidth(size.width()))
                report(w, QStringLiteral("wrapped text needs %1 px, has %2")
                              .arg(label->heightForWidth(size.width()))
                              .arg(size.height()));
        } else if ((label && !text.isEmpty()) || (button && !button->text().isEmpty())) {
            if (size.width() + 1 < hint.width() || size.height() + 1 < hint.height())
                report(w, QStringLiteral("clipped: %1x%2 shown, %3x%4 needed")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(hint.width())
                              .arg(hint.height()));
        }
        if ((qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)) && button->text().isEmpty() &&
            button->icon().isNull() && !w->styleSheet().contains(QLatin1String("image")))
            report(w, QStringLiteral("button without text or picture"));
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            if (area->horizontalScrollBar()->isVisible())
                report(w, QStringLiteral("horizontal scroll bar"));
            if (qobject_cast<QTextEdit*>(w) && static_cast<QTextEdit*>(w)->isReadOnly() &&
                !static_cast<QTextEdit*>(w)->toPlainText().isEmpty() &&
                area->verticalScrollBar()->maximum() > 0)
                report(w,
                       QStringLiteral("%1 px of its text hidden").arg(area->verticalScrollBar()->maximum()));
        }
        const QString className = QString::fromLatin1(w->metaObject()->className());
        if (!className.startsWith(QLatin1Char('Q')) && w->findChildren<QWidget*>().isEmpty() && !draws(w))
            report(w, QStringLiteral("draws nothing"));

        const QList<QWidget*> kids = siblings(w);
        const QRect inside = w->contentsRect();
        const QMargins margins = w->layout() ? w->layout()->contentsMargins() : QMargins();
        const int spacing = w->layout() ? qMax(0, w->layout()->spacing()) : 6;
        for (int i = 0; i < kids.size(); ++i) {
            QWidget* kid = kids.at(i);
            const QRect g = kid->geometry();
            for (int j = i + 1; j < kids.size(); ++j) {
                const QRect both = g.intersected(kids.at(j)->geometry());
                if (both.width() > 2 && both.height() > 2)
                    report(kid, QStringLiteral("overlaps %1").arg(kids.at(j)->objectName()));
            }
            // A caption: a label whose nearest neighbour to the right or below is a field.
            if (auto* caption = qobject_cast<QLabel*>(kid); caption && !labelText(kid).isEmpty()) {
                const QRect at = textRect(caption);
                for (bool right : {true, false}) {
                    const Neighbour n = nearest(kids, kid, at, right);
                    if (n.widget && isField(n.widget) && n.gap > slack)
                        report(kid, QStringLiteral("caption stands %1 px from %2")
                                        .arg(n.gap)
                                        .arg(n.widget->objectName()));
                }
            }
            // Spare room goes to the widgets that grow, not to an empty band beside them.
            const bool grows = kid->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag &&
                               kid->maximumHeight() >= QWIDGETSIZE_MAX;
            const Neighbour below = nearest(kids, kid, g, false);
            const int room =
                below.widget ? below.gap - spacing : inside.bottom() - g.bottom() - margins.bottom();
            if (grows && room > slack * 2)
                report(kid, QStringLiteral("%1x%2 px empty band below").arg(g.width()).arg(room));
            int above = g.top() - inside.top() - margins.top();
            for (QWidget* o : kids)
                if (o != kid && o->geometry().left() < g.right() && o->geometry().right() > g.left() &&
                    o->geometry().bottom() < g.top())
                    above = qMin(above, g.top() - o->geometry().bottom() - 1 - spacing);
            if (above > slack * 4)
                report(kid, QStringLiteral("floats below %1 px of empty room").arg(above));
        }
        // A grid field spanning more columns than a neighbour in its row should not be the narrower.
        if (auto* grid = qobject_cast<QGridLayout*>(w->layout())) {
            for (int i = 0; i < grid->count(); ++i) {
                QWidget* a = grid->itemAt(i)->widget();
                int ra, ca, rsa, csa;
                grid->getItemPosition(i, &ra, &ca, &rsa, &csa);
                for (int j = 0; a && isField(a) && ours(a) && j < grid->count(); ++j) {
                    QWidget* b = grid->itemAt(j)->widget();
                    int rb, cb, rsb, csb;
                    grid->getItemPosition(j, &rb, &cb, &rsb, &csb);
                    if (b && isField(b) && ours(b) && rb == ra && csa > csb &&
                        a->width() + slack < b->width())
                        report(b, QStringLiteral("%1 px wide beside the %2 px %3")
                                      .arg(b->width())
                                      .arg(a->width())
                                      .arg(a->objectName()));
                }
            }
        }
    }
    return problems;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void everyPageReadsAsOneForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QSize>("size");
        for (const char* locale : {"en_US", "zh_CN"})
            for (QSize size : {QSize(915, 750), QSize(1280, 1024)})
                QTest::addRow("%s-%dx%d", locale, size.width(), size.height())
                    << QString::fromLatin1(locale) << size;
    }
    void everyPageReadsAsOneForm()
    {
        QFETCH(QString, locale);
        QFETCH(QSize, size);
        QTranslator first, second;
        Startup::installTranslators(qApp, &first, &second,
                                    locale == QLatin1String("zh_CN") ? QLocale::Chinese : QLocale::English,
                                    locale);
        TestHome home;
        MainWindow w;
        w.resize(size);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList problems;
        QTabWidget* tabs = w.ui->tabWidget;
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            settle();
            visit(&w,
                  QStringLiteral("%1-%2x%3-tab%4")
                      .arg(locale)
                      .arg(size.width())
                      .arg(size.height())
                      .arg(i, 2, 10, QLatin1Char('0')),
                  tabs->currentWidget(), problems);
        }
        // Each dialog as its menu entry or button opens it, at its own size.
        const QList<std::pair<const char*, std::function<QDialog*()>>> dialogs = {
            {"preferences", [&] { return w.ui->actionConfig->trigger(), w.configDialog.data(); }},
            {"about", [&] { return w.ui->actionAbout->trigger(), static_cast<QDialog*>(&w.aboutDialog); }},
            {"help", [&] { return w.ui->actionHelp->trigger(), w.helpDialog; }},
            {"presets", [&] { return w.slotCom_expand(), w.COM_expandDialog; }},
            {"gps-calculator", [&] { return w.slotGPScalculate(), w.GPS_calculateDialog; }},
            {"gps-satellites", [&] { return w.slotGPSsignal(), w.GPS_signalDialog; }},
            {"i2c-read", [&] { return w.slotI2Cdump_read_ui(), w.I2Cdump_readDialog; }},
            {"i2c-write", [&] { return w.slotI2Cdump_write_ui(), w.I2Cdump_writeDialog; }}};
        if (size.width() == 915) {
            for (const auto& [name, open] : dialogs) {
                QPointer<QDialog> dialog = open();
                QVERIFY2(dialog, name);
                QVERIFY(QTest::qWaitForWindowExposed(dialog));
                settle();
                visit(dialog, locale + QLatin1Char('-') + QLatin1String(name), dialog, problems);
                dialog->close();
                QTRY_VERIFY(!dialog || !dialog->isVisible());
            }
        }
        for (const QString& p : problems)
            qInfo().noquote() << p;
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 problems").arg(problems.size())));
    }

private:
    static void visit(QWidget* window, const QString& name, QWidget* page, QStringList& problems)
    {
#ifdef PLAX_SCREENSHOTS
        Q_UNUSED(page);
        Q_UNUSED(problems);
        const QString folder = qEnvironmentVariable("PLAX_TEST_BINARY_DIR") + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        // The screen's picture of the window also holds the 3D views, which grab() leaves black.
        QVERIFY(window->screen()
                    ->grabWindow(window->winId())
                    .save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
#else
        Q_UNUSED(window);
        for (const QString& p : problemsIn(page))
            problems << name + QStringLiteral(": ") + p;
#endif
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
