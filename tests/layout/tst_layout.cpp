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
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QWindow>

#include <functional>

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

// Every child the user sees; only named ones are judged, but all of them take room.
QList<QWidget*> shownChildren(const QWidget* parent)
{
    QList<QWidget*> list;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->isWindow())
            list << w;
    return list;
}

// Where the label's text stands: its left edge, or its right one when it is right-aligned, with
// the width of the widest label sharing its column (a form's caption column), or the hint.
QRect textRect(const QLabel* label, const QList<QWidget*>& others)
{
    const QRect box = label->geometry();
    QSize hint = label->sizeHint().boundedTo(box.size());
    for (const QWidget* o : others)
        if (qobject_cast<const QLabel*>(o) && o->x() == box.x() && o->width() == box.width())
            hint.setWidth(qMin(box.width(), qMax(hint.width(), o->sizeHint().width())));
    const Qt::Alignment a = label->alignment();
    const int x = a & Qt::AlignRight     ? box.right() - hint.width() + 1
                  : a & Qt::AlignHCenter ? box.center().x() - hint.width() / 2
                                         : box.left();
    const int y = a & Qt::AlignTop      ? box.top()
                  : a & Qt::AlignBottom ? box.bottom() - hint.height() + 1
                                        : box.center().y() - hint.height() / 2;
    return QRect(QPoint(x, y), hint);
}

// The nearest sibling right of or below `from`, and its distance.
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
        const bool lined = right ? g.top() < from.bottom() && g.bottom() > from.top()
                                 : g.left() < from.right() && g.right() > from.left();
        const int gap = right ? g.left() - from.right() - 1 : g.top() - from.bottom() - 1;
        if (o != self && lined && gap >= -2 && gap < best.gap)
            best = {gap, o};
    }
    return best;
}

// True when the picture holds more than one colour.
bool draws(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

// The room a text needs: the size hint, but for a push button only its text and icon (a
// button may be narrower than the style's usual minimum as long as its text fits).
QSize textRoom(QWidget* w)
{
    auto* button = qobject_cast<QPushButton*>(w);
    if (!button)
        return w->sizeHint();
    const QSize icon = button->icon().isNull() ? QSize() : button->iconSize();
    return {w->fontMetrics().horizontalAdvance(button->text()) + icon.width() +
                w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w),
            qMax(w->fontMetrics().height(), icon.height())};
}

QStringList problemsIn(QWidget* root)
{
    QStringList problems;
    const auto report = [&problems](const QWidget* w, QString what, const auto&... numbersAndNames) {
        ((what = what.arg(numbersAndNames)), ...);
        problems << QStringLiteral("%1 (%2 in %3): %4")
                        .arg(w->objectName(), w->metaObject()->className(), w->parentWidget()->objectName(),
                             what);
    };
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if (!ours(w) && w != root)
            continue;
        const QSize size = w->size();
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        if (label && !labelText(w).isEmpty() && label->wordWrap()) {
            if (size.height() + 1 < label->heightForWidth(size.width()))
                report(w, "wrapped text needs %1 px, has %2", label->heightForWidth(size.width()),
                       size.height());
        } else if ((label && !labelText(w).isEmpty()) || (button && !button->text().isEmpty())) {
            const QSize needed = textRoom(w);
            if (size.width() + 1 < needed.width() || size.height() + 1 < needed.height())
                report(w, "clipped: %1x%2 shown, %3x%4 needed", size.width(), size.height(), needed.width(),
                       needed.height());
        }
        if ((qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)) && button->text().isEmpty() &&
            button->icon().isNull() && !w->styleSheet().contains(QLatin1String("image")))
            report(w, "button without text or picture");
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
            if (area->horizontalScrollBar()->isVisible())
                report(w, "horizontal scroll bar");
            auto* text = qobject_cast<QTextEdit*>(w);
            if (text && text->isReadOnly() && !text->toPlainText().isEmpty() &&
                area->verticalScrollBar()->maximum() > 0)
                report(w, "%1 px of its text hidden", area->verticalScrollBar()->maximum());
        }
        const QString className = QString::fromLatin1(w->metaObject()->className());
        if (!className.startsWith(QLatin1Char('Q')) && w->findChildren<QWidget*>().isEmpty() &&
            !draws(w->grab().toImage()))
            report(w, "draws nothing");

        const QList<QWidget*> kids = shownChildren(w);
        const QRect inside = w->contentsRect() - (w->layout() ? w->layout()->contentsMargins() : QMargins());
        const int spacing = w->layout() ? qMax(0, w->layout()->spacing()) : 6;
        for (int i = 0; i < kids.size(); ++i) {
            QWidget* kid = kids.at(i);
            const QRect g = kid->geometry();
            // Spare room goes to the widgets that grow (3D and chart views too), not to an empty band.
            const Neighbour below = nearest(kids, kid, g, false);
            const int roomBelow = below.widget ? below.gap - spacing : inside.bottom() - g.bottom();
            bool grows = kid->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag ||
                         kid->inherits("QWindowContainer");
            for (const QWidget* c : kid->findChildren<QWidget*>())
                grows |= c->inherits("QWindowContainer");
            grows &= kid->maximumHeight() >= QWIDGETSIZE_MAX;
            if (grows && roomBelow > slack * 2)
                report(kid, "%1x%2 px empty band below", g.width(), roomBelow);
            if (!ours(kid))
                continue;
            for (int j = i + 1; j < kids.size(); ++j) {
                const QRect both = g.intersected(kids.at(j)->geometry());
                if (ours(kids.at(j)) && both.width() > 2 && both.height() > 2)
                    report(kid, "overlaps %1", kids.at(j)->objectName());
            }
            // A caption: a label whose nearest neighbour to the right or below is a field.
            if (auto* caption = qobject_cast<QLabel*>(kid); caption && !labelText(kid).isEmpty()) {
                // A centred text stands between its neighbours, not before one.
                for (bool right : {true, false}) {
                    const Neighbour n = nearest(kids, kid, textRect(caption, kids), right);
                    const bool centred = caption->alignment() & Qt::AlignHCenter;
                    if (n.widget && isField(n.widget) && n.gap > slack && !(right && centred))
                        report(kid, "caption stands %1 px from %2", n.gap, n.widget->objectName());
                }
            }
            // Nothing is pushed down to the bottom under an empty area.
            int roomAbove = g.top() - inside.top();
            for (QWidget* o : kids)
                if (o != kid && o->geometry().left() < g.right() && o->geometry().right() > g.left() &&
                    o->geometry().bottom() < g.top())
                    roomAbove = qMin(roomAbove, g.top() - o->geometry().bottom() - 1 - spacing);
            if (roomAbove > slack * 4 && !below.widget && roomBelow <= slack)
                report(kid, "pushed down under %1 px of empty room", roomAbove);
        }
        auto* grid = qobject_cast<QGridLayout*>(w->layout());
        for (int r = 0; grid && r < grid->rowCount(); ++r) {
            // A row whose widgets are all hidden must not keep its share of the height.
            bool hiddenOnly = false, shown = false;
            for (int i = 0; i < grid->count(); ++i) {
                int row, column, rowSpan, columnSpan;
                grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
                QLayoutItem* item = grid->itemAt(i);
                if (row != r || rowSpan != 1 || item->spacerItem())
                    continue;
                hiddenOnly |= item->widget() && item->widget()->isHidden();
                shown |= !item->isEmpty();
            }
            const QRect cell = grid->cellRect(r, 0);
            if (hiddenOnly && !shown && cell.height() > slack * 2)
                report(w, "row %1 is hidden but keeps %2 px", r, cell.height());
        }
        // A grid field spanning more columns than a neighbour in its row should not be the narrower.
        for (int i = 0; grid && i < grid->count(); ++i) {
            QWidget* a = grid->itemAt(i)->widget();
            int ra, ca, rsa, csa;
            grid->getItemPosition(i, &ra, &ca, &rsa, &csa);
            for (int j = 0; a && isField(a) && ours(a) && j < grid->count(); ++j) {
                QWidget* b = grid->itemAt(j)->widget();
                int rb, cb, rsb, csb;
                grid->getItemPosition(j, &rb, &cb, &rsb, &csb);
                if (b && isField(b) && ours(b) && rb == ra && csa > csb && a->width() + slack < b->width())
                    report(b, "%1 px wide beside the %2 px %3", b->width(), a->width(), a->objectName());
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
            const QString name =
                QString::asprintf("%s-%dx%d-tab%02d", qPrintable(locale), size.width(), size.height(), i);
            visit(&w, name, tabs->currentWidget(), problems);
        }
        // Each dialog as its menu entry or button opens it, at its own size.
        const QList<std::pair<const char*, std::function<QDialog*()>>> dialogs = {
            {"preferences", [&] { return w.ui->actionConfig->trigger(), w.configDialog; }},
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
        Q_UNUSED(problems);
        const QString folder = qEnvironmentVariable("PLAX_TEST_BINARY_DIR") + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        // What a scroll area holds beyond its visible part, whole.
        int n = 0;
        for (QScrollArea* area : page->findChildren<QScrollArea*>())
            if (area->isVisible() && area->widget())
                QVERIFY(area->widget()->grab().save(
                    QStringLiteral("%1/%2-scrolled%3.png").arg(folder, name).arg(++n)));
        // The screen's picture of the window also holds the 3D views, which grab() leaves black;
        // they draw on their own schedule, so wait until each one's area shows something new.
        static QImage previous;
        const auto picture = [window] { return window->screen()->grabWindow(window->winId()).toImage(); };
        for (QWidget* view : page->findChildren<QWidget*>())
            if (view->isVisible() && view->inherits("QWindowContainer")) {
                const QRect area(view->mapTo(window, QPoint()), view->size());
                const bool drawn = QTest::qWaitFor(
                    [&] {
                        const QImage now = picture().copy(area);
                        return now != previous.copy(area) && draws(now);
                    },
                    3000);
                if (!drawn)
                    qInfo().noquote()
                        << name << view->parentWidget()->metaObject()->className() << "not drawn";
            }
        previous = picture();
        QVERIFY(previous.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
#else
        Q_UNUSED(window);
        for (const QString& p : problemsIn(page))
            problems << name + QStringLiteral(": ") + p;
#endif
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
