#include "sensors/quenlix_tof_data.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QPainter>

#include "sensors/tof_scale.h"

// A grid whose labels change their text with every frame but never their size: while a frame
// goes in, their size-hint changes must not lay out thousands of labels again.
class ZoneGrid : public QGridLayout
{
public:
    using QGridLayout::QGridLayout;
    bool frozen = false;
    void invalidate() override
    {
        if (!frozen)
            QGridLayout::invalidate();
    }
};

class Ui_quenlix_tof_data
{
public:
    ZoneGrid* gridLayout_tofdata = nullptr;

    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("quenlix_tof_data"));
        form->resize(530, 398);
        gridLayout_tofdata = new ZoneGrid(form);
        gridLayout_tofdata->setObjectName(QStringLiteral("gridLayout_tofdata"));
        form->setWindowTitle(QStringLiteral("quenlix_tof_data"));
    }
};

namespace {

// Marks a label whose colours were never set (it shows the default palette).
constexpr QRgb unpainted = 0x00000000;

// A value label that paints its own background colour. An ancestor's style sheet (the view's white
// background) would otherwise paint over the palette, and a style sheet per label costs a
// re-polish on every colour change. Its size does not depend on its text, so a new value needs no
// new layout.
class ZoneLabel : public QLabel
{
public:
    using QLabel::QLabel;

    void setZoneColor(const QColor& color)
    {
        m_color = color;
        m_colored = true;
        update();
    }

    QSize sizeHint() const override
    {
        if (!m_hint.isValid())
            m_hint = QSize(fontMetrics().horizontalAdvance(QStringLiteral("0000")), fontMetrics().height());
        return m_hint;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // Colour and number straight onto the label: the window's style sheet would otherwise render
    // every one of thousands of labels through the style-sheet engine on every frame.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        // A zone's colour carries a white number; a label no frame has reached yet keeps the
        // default text colour on the white view.
        if (m_colored)
            painter.fillRect(rect(), m_color);
        painter.setPen(m_colored ? QColor(Qt::white) : palette().color(QPalette::WindowText));
        painter.drawText(rect(), int(alignment()), text());
    }

private:
    QColor m_color;
    bool m_colored = false;
    mutable QSize m_hint;
};

} // namespace

quenlix_tof_data::quenlix_tof_data(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_tof_data)
{
    ui->setupUi(this);
    // White between the labels. The labels themselves are not opaque to the toolkit (they fill
    // their own rectangle), which keeps a repaint of thousands of them cheap.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    const QColor zeroColor = calculateColor(0);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            QLabel* label = makeLabel(16);
            paintLabel(label, zeroColor);
            ui->gridLayout_tofdata->addWidget(label, row, column);
            labels.append(label);
            m_shownColors.append(zeroColor.rgb());
        }
    }
}

quenlix_tof_data::~quenlix_tof_data()
{
    delete ui;
}

QLabel* quenlix_tof_data::makeLabel(int count)
{
    auto* label = new ZoneLabel(QStringLiteral("0"), this);
    label->setFont(set_label_font(count));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void quenlix_tof_data::showValues(const QList<int>& values)
{
    // One repaint of the grid rather than a dirty region per label, and no layout pass. (Turning
    // updates off for the grid as a whole would turn them on again label by label, each with its
    // own repaint.)
    for (QLabel* label : labels)
        label->setAttribute(Qt::WA_UpdatesDisabled, true);
    ui->gridLayout_tofdata->frozen = true;
    for (qsizetype i = 0; i < values.size(); ++i)
        updateLabelValues(int(i), values.at(i));
    ui->gridLayout_tofdata->frozen = false;
    for (QLabel* label : labels)
        label->setAttribute(Qt::WA_UpdatesDisabled, false);
    update();
}

void quenlix_tof_data::changeArrangement(int code)
{
    qDeleteAll(labels);
    labels.clear();
    m_shownColors.clear();
    while (QLayoutItem* item = ui->gridLayout_tofdata->takeAt(0)) {
        delete item->widget();
        delete item;
    }

    const TofScale::GridSize size = TofScale::arrangementSize(code);
    const int count = size.rows * size.cols;
    labels.reserve(count);
    m_shownColors.fill(unpainted, count);
    // No repaints while thousands of labels go in, and their first layout while hidden: laying out
    // thousands of visible labels costs seconds of repaint bookkeeping.
    const bool shown = isVisible();
    if (shown)
        hide();
    setUpdatesEnabled(false);
    for (int row = 0; row < size.rows; ++row) {
        for (int column = 0; column < size.cols; ++column) {
            QLabel* label = makeLabel(count);
            ui->gridLayout_tofdata->addWidget(label, row, column);
            labels.append(label);
        }
    }
    setUpdatesEnabled(true);
    if (shown)
        show();
}

void quenlix_tof_data::updateLabelValues(int index, int value)
{
    if (index < 0 || index >= labels.size())
        return;
    QLabel* label = labels.at(index);
    const QString text = QString::number(value);
    if (label->text() != text)
        label->setText(text);

    const QColor color = calculateColor(value);
    if (m_shownColors.at(index) != color.rgb()) {
        paintLabel(label, color);
        m_shownColors[index] = color.rgb();
    }
}

void quenlix_tof_data::paintLabel(QLabel* label, const QColor& color)
{
    static_cast<ZoneLabel*>(label)->setZoneColor(color);
}

QColor quenlix_tof_data::calculateColor(int value) const
{
    const Rgb c = TofScale::labelColor(value, range);
    return QColor(c.r, c.g, c.b);
}

int quenlix_tof_data::calculateValue(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QFont quenlix_tof_data::set_label_font(int count)
{
    QFont font;
    font.setWeight(QFont::Bold);
    font.setPointSize(TofScale::labelPointSize(count));
    return font;
}
