#include "tools/quenlix_convert.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScroller>
#include <QStyle>
#include <QSvgRenderer>

#include "tools/CurrencyConverter.h"
#include "tools/convert_exchangerates.h"
#include "tools/convert_resources.h"
#include "tools/quenlix_convert_form.h"

using UnitConvert::Card;

const QRegularExpression quenlix_convert::cleanUnitRegex(QString::fromLatin1(UnitConvert::cleanUnitPattern));

namespace {

// Marks a value edit whose text is not a number (its style sheet shows the mark).
void markInvalid(QLineEdit* edit, bool invalid)
{
    if (edit->property("invalid").toBool() == invalid)
        return;
    edit->setProperty("invalid", invalid);
    edit->setToolTip(invalid ? quenlix_convert::tr("Not a number") : QString());
    edit->style()->unpolish(edit);
    edit->style()->polish(edit);
}

QString cleaned(const QString& label)
{
    QString key = label;
    return key.remove(quenlix_convert::cleanUnitRegex);
}

} // namespace

quenlix_convert::quenlix_convert(QWidget* parent) : QWidget(parent), ui(new Ui_quenlix_convert)
{
    ui->setupUi(this);

    QFile style(QString::fromLatin1(ConvertResources::styleSheet));
    if (style.open(QIODevice::ReadOnly))
        setStyleSheet(QString::fromUtf8(style.readAll()));

    // The rate check never blocks the panel: the download runs on its own thread.
    rateThread = new CurrencyConverter();
    rateThread->start();

    Exchangerates_Init();
    Lengths_Init();
    Mass_Init();
    Area_Init();
    Volume_Init();
    Time_Init();
    Speed_Init();
    Force_Init();
    Torque_Init();
    Temperature_Init();
    Pressure_Init();
    Energy_Init();
    Power_Init();
    Capacitance_Init();
    Resistance_Init();
    Conductance_Init();
    Inductance_Init();
    Current_Init();
    Charge_Init();
    Magnetic_Init();
    Angle_Init();
    DataStorage_Init();

    ui->scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
}

quenlix_convert::~quenlix_convert()
{
    stopRateThread();
    delete ui;
}

void quenlix_convert::stopRateThread()
{
    if (!rateThread)
        return;
    rateThread->requestInterruption();
    if (rateThread->wait(rateThreadStopMs)) {
        delete rateThread;
    } else {
        // Still inside a network call: a running thread must not be destroyed, so it
        // deletes itself once it ends.
        connect(rateThread, &QThread::finished, rateThread, &QObject::deleteLater);
    }
    rateThread = nullptr;
}

void quenlix_convert::initCard(Card card, TextSlot textChanged, IndexSlot fromChanged, IndexSlot toChanged,
                               ClickSlot swapClicked)
{
    const ConvertCardWidgets& w = ui->cards[card];
    w.result->setReadOnly(true);
    const UnitConvert::CardSpec& spec = UnitConvert::card(card);
    if (spec.rowCount > 0) {
        w.fromUnits->setCurrentIndex(spec.defaultFrom);
        w.toUnits->setCurrentIndex(spec.defaultTo);
    }
    connect(w.source, &QLineEdit::textChanged, this, textChanged);
    connect(w.fromUnits, &QComboBox::currentIndexChanged, this, fromChanged);
    connect(w.toUnits, &QComboBox::currentIndexChanged, this, toChanged);
    connect(w.swap, &QPushButton::clicked, this, swapClicked);
    drawIcon(card);
}

void quenlix_convert::drawIcon(Card card)
{
    const UnitConvert::CardSpec& spec = UnitConvert::card(card);
    const ConvertCardWidgets& w = ui->cards[card];
    QSvgRenderer renderer(QString::fromLatin1(ConvertResources::iconDir) +
                          QString::fromLatin1(spec.iconFile));
    const QSize size = spec.iconSize == UnitConvert::IconSize::Fixed30
                           ? QSize(30, 30)
                           : QSize(qRound(renderer.defaultSize().width() * 3.0),
                                   qRound(renderer.defaultSize().height() * 3.0));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&painter);
    }
    w.icon->setPixmap(pixmap);
    w.icon->setAlignment(Qt::AlignCenter);
    w.header->setStretch(1, card == UnitConvert::Exchangerates ? 2 : 3);
}

void quenlix_convert::fillCurrencies()
{
    const ConvertCardWidgets& w = ui->cards[UnitConvert::Exchangerates];
    for (QComboBox* box : {w.fromUnits, w.toUnits}) {
        for (const ExchangeRates::Currency& c : ExchangeRates::currencies)
            box->addItem(QIcon(QString::fromLatin1(c.flag)),
                         QCoreApplication::translate(ExchangeRates::labelContext, c.label));
    }
}

std::optional<double> quenlix_convert::toBase(Card card, double value, const QString& unit,
                                              QString* missing) const
{
    const QString key = cleaned(unit);
    if (card != UnitConvert::Exchangerates)
        return UnitConvert::toBase(UnitConvert::card(card), value, key);
    const std::optional<double> rate = ExchangeRates::storedRate(key);
    if (!rate && missing)
        *missing = key;
    return rate ? std::optional<double>(value / *rate) : std::nullopt;
}

std::optional<double> quenlix_convert::fromBase(Card card, double value, const QString& unit,
                                                QString* missing) const
{
    const QString key = cleaned(unit);
    if (card != UnitConvert::Exchangerates)
        return UnitConvert::fromBase(UnitConvert::card(card), value, key);
    const std::optional<double> rate = ExchangeRates::storedRate(key);
    if (!rate && missing)
        *missing = key;
    return rate ? std::optional<double>(value * *rate) : std::nullopt;
}

double quenlix_convert::convertTo(Card card, double value, const QString& unit) const
{
    return toBase(card, value, unit).value_or(0.0);
}

double quenlix_convert::convertFrom(Card card, double value, const QString& unit) const
{
    return fromBase(card, value, unit).value_or(0.0);
}

void quenlix_convert::updateCard(Card card)
{
    const ConvertCardWidgets& w = ui->cards[card];
    const std::optional<double> x = UnitConvert::parseInput(w.source->text());
    // An empty field is not an error, just nothing to convert.
    markInvalid(w.source, !x && !w.source->text().trimmed().isEmpty());
    QString missing;
    std::optional<double> r;
    double uncertainty = 0.0;
    if (x && card == UnitConvert::Exchangerates) {
        r = toBase(card, *x, w.fromUnits->currentText(), &missing);
        if (r)
            r = fromBase(card, *r, w.toUnits->currentText(), &missing);
    } else if (x) {
        r = UnitConvert::convert(UnitConvert::card(card), *x, cleaned(w.fromUnits->currentText()),
                                 cleaned(w.toUnits->currentText()), &uncertainty);
    }
    w.result->setPlaceholderText(missing.isEmpty() ? QString() : tr("No rate for %1").arg(missing));
    w.result->setText(r ? UnitConvert::formatResult(*r, UnitConvert::card(card).format, uncertainty)
                        : QString());
}

void quenlix_convert::swapUnits(Card card)
{
    const ConvertCardWidgets& w = ui->cards[card];
    const int from = w.fromUnits->currentIndex();
    const int to = w.toUnits->currentIndex();
    w.fromUnits->setCurrentIndex(to);
    w.toUnits->setCurrentIndex(from);
}

#define PLAX_INIT_CARD(C)                                                                                    \
    initCard(UnitConvert::C, &quenlix_convert::C##_inputEdit_textChanged,                                    \
             &quenlix_convert::C##_fromUnitCombox_currentIndexChanged,                                       \
             &quenlix_convert::C##_toUnitCombox_currentIndexChanged,                                         \
             &quenlix_convert::C##_InterchangeButtonClicked)

// The currency list comes after the connections, so adding its first entry recomputes.
void quenlix_convert::Exchangerates_Init()
{
    PLAX_INIT_CARD(Exchangerates);
    fillCurrencies();
}

// Every other card is the shared engine with the card's own table.
#define PLAX_CARD_INIT(C)                                                                                    \
    void quenlix_convert::C##_Init()                                                                         \
    {                                                                                                        \
        PLAX_INIT_CARD(C);                                                                                   \
    }
PLAX_CARD_INIT(Lengths)
PLAX_CARD_INIT(Mass)
PLAX_CARD_INIT(Area)
PLAX_CARD_INIT(Volume)
PLAX_CARD_INIT(Time)
PLAX_CARD_INIT(Speed)
PLAX_CARD_INIT(Force)
PLAX_CARD_INIT(Torque)
PLAX_CARD_INIT(Temperature)
PLAX_CARD_INIT(Pressure)
PLAX_CARD_INIT(Energy)
PLAX_CARD_INIT(Power)
PLAX_CARD_INIT(Capacitance)
PLAX_CARD_INIT(Resistance)
PLAX_CARD_INIT(Conductance)
PLAX_CARD_INIT(Inductance)
PLAX_CARD_INIT(Current)
PLAX_CARD_INIT(Charge)
PLAX_CARD_INIT(Magnetic)
PLAX_CARD_INIT(Angle)
PLAX_CARD_INIT(DataStorage)
#undef PLAX_CARD_INIT
#undef PLAX_INIT_CARD

#define PLAX_CARD_WRAPPERS(C)                                                                                \
    double quenlix_convert::C##_convertTo(double value, const QString& unit)                                 \
    {                                                                                                        \
        return convertTo(UnitConvert::C, value, unit);                                                       \
    }                                                                                                        \
    double quenlix_convert::C##_convertFrom(double value, const QString& unit)                               \
    {                                                                                                        \
        return convertFrom(UnitConvert::C, value, unit);                                                     \
    }                                                                                                        \
    void quenlix_convert::C##_updateResult()                                                                 \
    {                                                                                                        \
        updateCard(UnitConvert::C);                                                                          \
    }                                                                                                        \
    void quenlix_convert::C##_InterchangeButtonClicked()                                                     \
    {                                                                                                        \
        swapUnits(UnitConvert::C);                                                                           \
    }                                                                                                        \
    void quenlix_convert::C##_inputEdit_textChanged(const QString&)                                          \
    {                                                                                                        \
        updateCard(UnitConvert::C);                                                                          \
    }                                                                                                        \
    void quenlix_convert::C##_fromUnitCombox_currentIndexChanged(int)                                        \
    {                                                                                                        \
        updateCard(UnitConvert::C);                                                                          \
    }                                                                                                        \
    void quenlix_convert::C##_toUnitCombox_currentIndexChanged(int)                                          \
    {                                                                                                        \
        updateCard(UnitConvert::C);                                                                          \
    }
PLAX_CARD_WRAPPERS(Exchangerates)
PLAX_CARD_WRAPPERS(Lengths)
PLAX_CARD_WRAPPERS(Mass)
PLAX_CARD_WRAPPERS(Area)
PLAX_CARD_WRAPPERS(Volume)
PLAX_CARD_WRAPPERS(Time)
PLAX_CARD_WRAPPERS(Speed)
PLAX_CARD_WRAPPERS(Force)
PLAX_CARD_WRAPPERS(Torque)
PLAX_CARD_WRAPPERS(Temperature)
PLAX_CARD_WRAPPERS(Pressure)
PLAX_CARD_WRAPPERS(Energy)
PLAX_CARD_WRAPPERS(Power)
PLAX_CARD_WRAPPERS(Capacitance)
PLAX_CARD_WRAPPERS(Resistance)
PLAX_CARD_WRAPPERS(Conductance)
PLAX_CARD_WRAPPERS(Inductance)
PLAX_CARD_WRAPPERS(Current)
PLAX_CARD_WRAPPERS(Charge)
PLAX_CARD_WRAPPERS(Magnetic)
PLAX_CARD_WRAPPERS(Angle)
PLAX_CARD_WRAPPERS(DataStorage)
#undef PLAX_CARD_WRAPPERS
