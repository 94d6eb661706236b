// Every tab and dialog at the window's size, in English and Simplified Chinese, measured widget
// by widget: text not clipped, no blank buttons, captions beside their fields and gauges, no
// overlaps, no empty bands, custom-drawn widgets that draw. And looked at: every text a widget shows
// (named or not) stands out from what is under it on the window's picture and has its glyphs in the
// fonts; texts a widget paints itself (scale numbers, axis labels) are readable and apart. Built with
// PLAX_SCREENSHOTS it saves pictures instead.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGlyphRun>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QTranslator>
#include <QWindow>

#include <cmath>
#include <functional>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/startup.h"
#include "tests/common/testhome.h"
#include "tests/common/windowtour.h"
#include "widgets/paintedtext.h"

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

// The round gauges paint a circle in their widget's smaller side.
bool isRoundGauge(const QWidget* w)
{
    return w->inherits("DashBoard") || w->inherits("ProgressBarPercent") || w->inherits("Ultraviolet");
}

// A gauge a caption names: a round one or one painting texts of its own (the thermometer).
bool isGauge(const QWidget* w)
{
    return isRoundGauge(w) || dynamic_cast<const PaintsText*>(w);
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

// One finding: the widget's name, class and parent, then what is wrong.
QString problem(const QWidget* w, const QString& what)
{
    return QStringLiteral("%1 (%2 in %3): %4")
        .arg(w->objectName(), w->metaObject()->className(),
             w->parentWidget() ? w->parentWidget()->objectName() : QString(), what);
}

QList<QWidget*> rootAndInside(QWidget* root)
{
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    return all;
}

QStringList problemsIn(QWidget* root)
{
    QStringList problems;
    const auto report = [&problems](const QWidget* w, QString what, const auto&... numbersAndNames) {
        ((what = what.arg(numbersAndNames)), ...);
        problems << problem(w, what);
    };
    for (QWidget* w : rootAndInside(root)) {
        // A round gauge grows with its cell as a square, named or not.
        if (isRoundGauge(w) && w->isVisible() && qAbs(w->width() - w->height()) > 2)
            report(w, "round gauge on %1x%2 px: its circle leaves the rest empty", w->width(), w->height());
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
                    if (n.widget && (isField(n.widget) || isGauge(n.widget)) && n.gap > slack &&
                        !(right && centred))
                        report(kid, "caption stands %1 px from %2", n.gap,
                               n.widget->objectName().isEmpty()
                                   ? QString::fromLatin1(n.widget->metaObject()->className())
                                   : n.widget->objectName());
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
        // A dialog at its own size ends with its last row, not with an empty band.
        if (w == root && w->isWindow() && !kids.isEmpty()) {
            int bottom = 0;
            for (const QWidget* kid : kids)
                bottom = qMax(bottom, kid->geometry().bottom());
            if (inside.bottom() - bottom > slack * 2)
                report(w, "%1 px blank band at the bottom", inside.bottom() - bottom);
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

// ---- What the eye sees ----

// A text a widget shows and where on the widget it stands (an empty rectangle: not looked at there).
struct ShownText
{
    QString text;
    QRectF where;
};

QString withoutMnemonics(QString text)
{
    static const QRegularExpression single(QStringLiteral("&(?!&)"));
    return text.remove(single).replace(QLatin1String("&&"), QLatin1String("&"));
}

QList<ShownText> shownTexts(QWidget* w)
{
    QList<ShownText> list;
    QStyle* style = w->style();
    if (auto* label = qobject_cast<QLabel*>(w);
        label && label->pixmap().isNull() && label->movie() == nullptr) {
        QString text = label->text();
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
            QTextDocument document;
            document.setHtml(text);
            text = document.toPlainText();
        }
        const QRect inside = label->contentsRect();
        const QRect where = label->wordWrap()
                                ? inside
                                : QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                                      label->sizeHint().boundedTo(inside.size()), inside);
        list << ShownText{text, where};
    } else if (auto* check = qobject_cast<QCheckBox*>(w); check || qobject_cast<QRadioButton*>(w)) {
        auto* button = static_cast<QAbstractButton*>(w);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect where = style->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
        list << ShownText{withoutMnemonics(button->text()), where};
    } else if (auto* push = qobject_cast<QPushButton*>(w)) {
        const QString text = withoutMnemonics(push->text());
        const QSize icon = push->icon().isNull() ? QSize() : push->iconSize();
        QRectF where(QPointF(),
                     QSizeF(push->fontMetrics().horizontalAdvance(text), push->fontMetrics().height()));
        where.moveCenter(QRectF(push->rect()).center() + QPointF(icon.width() / 2.0, 0));
        list << ShownText{text, where};
    } else if (auto* tool = qobject_cast<QToolButton*>(w);
               tool && tool->toolButtonStyle() == Qt::ToolButtonTextOnly) {
        list << ShownText{withoutMnemonics(tool->text()), tool->rect()};
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.lineWidth = 1;
        if (box->isFlat())
            option.features |= QStyleOptionFrame::Flat;
        list << ShownText{withoutMnemonics(box->title()),
                          style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)};
    } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
        for (int i = 0; i < bar->count(); ++i)
            list << ShownText{withoutMnemonics(bar->tabText(i)),
                              bar->isTabVisible(i) ? QRectF(bar->tabRect(i)) : QRectF()};
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field =
            style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i)
            list << ShownText{combo->itemText(i),
                              i == combo->currentIndex() && !combo->isEditable() ? field : QRect()};
    } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->echoMode() == QLineEdit::Normal) {
        list << ShownText{edit->text(), QRectF()};
    } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
        list << ShownText{text->toPlainText().left(4000), QRectF()};
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        list << ShownText{plain->toPlainText().left(4000), QRectF()};
    } else if (qobject_cast<QMenuBar*>(w) || qobject_cast<QMenu*>(w)) {
        for (QAction* action : w->actions()) {
            list << ShownText{withoutMnemonics(action->text()), QRectF()};
            if (action->menu())
                for (QAction* item : action->menu()->actions())
                    list << ShownText{withoutMnemonics(item->text()), QRectF()};
        }
    }
    if (const auto* painter = dynamic_cast<const PaintsText*>(w))
        for (const PaintedText& painted : painter->paintedTexts())
            list << ShownText{painted.text, painted.outline.boundingRect()};
    return list;
}

// Whether every character of the line has a glyph in the font or one the toolkit falls back to.
bool hasAllGlyphs(const QString& line, const QFont& font)
{
    QTextLayout layout(line, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            return false;
    return true;
}

// The characters of `text` that no font on the machine has a glyph for (they would show as boxes).
QString missingGlyphs(const QString& text, const QFont& font)
{
    QString missing;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        line.remove(QLatin1Char('\r'));
        if (line.trimmed().isEmpty() || hasAllGlyphs(line, font))
            continue;
        for (const QChar c : line)
            if (!c.isSpace() && !missing.contains(c) && !hasAllGlyphs(QString(c), font))
                missing += c;
    }
    return missing;
}

int luma(QRgb c)
{
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// How many pixels of the area stand out from its commonest colour (the ground the text is on) by
// `distinct` steps of 255 in brightness.
int standingOut(const QImage& picture, const QRect& area, int distinct)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000];
    QRgb ground = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), ground = it.key();
    int seen = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (qAbs(luma(it.key()) - luma(ground)) >= distinct)
            seen += it.value();
    return seen;
}

// The outline pushed out by about `by` pixels all round (its corners away from its middle).
QPolygonF grown(const QPolygonF& outline, double by)
{
    QPointF middle;
    for (const QPointF& p : outline)
        middle += p / outline.size();
    QPolygonF out;
    for (const QPointF& p : outline) {
        const QPointF d = p - middle;
        const double length = std::hypot(d.x(), d.y());
        out << (length > 0 ? p + d / length * by * M_SQRT2 : p);
    }
    return out;
}

// Every text shown in `root` is drawn where the user can see it, in glyphs the fonts have; texts a
// widget paints itself are at least 8 px and at least a pixel apart. `picture` is the window's.
QStringList textProblemsIn(QWidget* window, const QImage& picture, QWidget* root)
{
    QStringList problems;
    const auto report = [&problems](const QWidget* w, const QString& what) { problems << problem(w, what); };
    for (QWidget* w : rootAndInside(root)) {
        if (!w->isVisible() || (w->isWindow() && w != root))
            continue;
        const QRect seen = w->visibleRegion().boundingRect();
        for (const ShownText& shown : shownTexts(w)) {
            if (shown.text.trimmed().isEmpty())
                continue;
            if (const QString missing = missingGlyphs(shown.text, w->font()); !missing.isEmpty())
                report(w, QStringLiteral("no glyph for \"%1\" in \"%2\"").arg(missing, shown.text.left(40)));
            // Looked at where it is shown whole (not half scrolled away); a disabled text is meant
            // to be faint, but not gone.
            const QRect where = shown.where.toAlignedRect() & w->rect();
            if (where.width() < 2 || where.height() < 2 || !seen.contains(where))
                continue;
            const QRect onWindow = QRect(w->mapTo(window, where.topLeft()), where.size()) & picture.rect();
            if (!onWindow.isEmpty() && standingOut(picture, onWindow, w->isEnabled() ? 40 : 16) < 2)
                report(w, QStringLiteral("\"%1\" is not seen: nothing stands out from the colour under it")
                              .arg(shown.text.left(40)));
        }
        if (const auto* painter = dynamic_cast<const PaintsText*>(w)) {
            const QList<PaintedText> texts = painter->paintedTexts();
            for (int i = 0; i < texts.size(); ++i) {
                if (texts.at(i).pixelSize < 8)
                    report(w, QStringLiteral("painted \"%1\" is %2 px tall")
                                  .arg(texts.at(i).text)
                                  .arg(texts.at(i).pixelSize, 0, 'f', 1));
                for (int j = i + 1; j < texts.size(); ++j)
                    if (grown(texts.at(i).outline, 1)
                            .intersects(texts.at(j).outline)) // touching reads as one
                        report(w, QStringLiteral("painted \"%1\" runs into \"%2\"")
                                      .arg(texts.at(i).text, texts.at(j).text));
            }
        }
    }
    return problems;
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
            settleLayouts();
            const QString name =
                QString::asprintf("%s-%dx%d-tab%02d", qPrintable(locale), size.width(), size.height(), i);
            visit(&w, name, tabs->currentWidget(), problems);
        }
        // The window's own texts: the tab titles and the menus.
        const QImage picture = w.grab().toImage();
        for (QWidget* chrome :
             {static_cast<QWidget*>(tabs->findChild<QTabBar*>()), static_cast<QWidget*>(w.ui->menuBar)})
            for (const QString& p : textProblemsIn(&w, picture, chrome))
                problems << locale + QStringLiteral(": ") + p;
        // Each dialog as its menu entry or button opens it, at its own size.
        const auto dialogs = windowDialogs(w);
        if (size.width() == 915) {
            for (const auto& [name, open] : dialogs) {
                QPointer<QDialog> dialog = open();
                QVERIFY2(dialog, name);
                QVERIFY(QTest::qWaitForWindowExposed(dialog));
                settleLayouts();
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
        const QImage picture = window->grab().toImage();
        for (const QString& p : problemsIn(page) + textProblemsIn(window, picture, page))
            problems << name + QStringLiteral(": ") + p;
#endif
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
