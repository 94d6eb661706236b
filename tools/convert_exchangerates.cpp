#include "tools/convert_exchangerates.h"

#include <QRegularExpression>
#include <QSettings>
#include <QXmlStreamReader>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

#include "app/settingsfile.h"
#include "app/toolswitches.h"

namespace ExchangeRates {

const Currency currencies[currencyCount] = {
    {QT_TRANSLATE_NOOP("QObject", "AUD(Australian Dollar)"), ":/img/au.svg"},
    {QT_TRANSLATE_NOOP("QObject", "BGN(Bulgarian Lev)"), ":/img/bg.svg"},
    {QT_TRANSLATE_NOOP("QObject", "BRL(Brazilian Real)"), ":/img/br.svg"},
    {QT_TRANSLATE_NOOP("QObject", "CAD(Canadian Dollar)"), ":/img/ca.svg"},
    {QT_TRANSLATE_NOOP("QObject", "CHF(Swiss Franc)"), ":/img/ch.svg"},
    {QT_TRANSLATE_NOOP("QObject", "CNY(Chinese Yuan)"), ":/img/cn.svg"},
    {QT_TRANSLATE_NOOP("QObject", "CZK(Czech Koruna)"), ":/img/cz.svg"},
    {QT_TRANSLATE_NOOP("QObject", "DKK(Danish Krone)"), ":/img/dk.svg"},
    {QT_TRANSLATE_NOOP("QObject", "EUR(Euro)"), ":/img/eu.svg"},
    {QT_TRANSLATE_NOOP("QObject", "GBP(British Pound Sterling)"), ":/img/gb.svg"},
    {QT_TRANSLATE_NOOP("QObject", "HKD(Hong Kong Dollar)"), ":/img/hk.svg"},
    {QT_TRANSLATE_NOOP("QObject", "HUF(Hungarian Forint)"), ":/img/hu.svg"},
    {QT_TRANSLATE_NOOP("QObject", "IDR(Indonesian Rupiah)"), ":/img/id.svg"},
    {QT_TRANSLATE_NOOP("QObject", "ILS(Israeli New Shekel)"), ":/img/il.svg"},
    {QT_TRANSLATE_NOOP("QObject", "INR(Indian Rupee)"), ":/img/in.svg"},
    {QT_TRANSLATE_NOOP("QObject", "ISK(Icelandic Króna)"), ":/img/is.svg"},
    {QT_TRANSLATE_NOOP("QObject", "JPY(Japanese Yen)"), ":/img/jp.svg"},
    {QT_TRANSLATE_NOOP("QObject", "KRW(South Korean Won)"), ":/img/kr.svg"},
    {QT_TRANSLATE_NOOP("QObject", "MXN(Mexican Peso)"), ":/img/mx.svg"},
    {QT_TRANSLATE_NOOP("QObject", "MYR(Malaysian Ringgit)"), ":/img/my.svg"},
    {QT_TRANSLATE_NOOP("QObject", "NOK(Norwegian Krone)"), ":/img/no.svg"},
    {QT_TRANSLATE_NOOP("QObject", "NZD(New Zealand Dollar)"), ":/img/nz.svg"},
    {QT_TRANSLATE_NOOP("QObject", "PHP(Philippine Peso)"), ":/img/ph.svg"},
    {QT_TRANSLATE_NOOP("QObject", "PLN(Polish Złoty)"), ":/img/pl.svg"},
    {QT_TRANSLATE_NOOP("QObject", "RON(Romanian Leu)"), ":/img/ro.svg"},
    {QT_TRANSLATE_NOOP("QObject", "SEK(Swedish Krona)"), ":/img/se.svg"},
    {QT_TRANSLATE_NOOP("QObject", "SGD(Singapore Dollar)"), ":/img/sg.svg"},
    {QT_TRANSLATE_NOOP("QObject", "THB(Thai Baht)"), ":/img/th.svg"},
    {QT_TRANSLATE_NOOP("QObject", "TRY(Turkish Lira)"), ":/img/tr.svg"},
    {QT_TRANSLATE_NOOP("QObject", "USD(United States Dollar)"), ":/img/us.svg"},
    {QT_TRANSLATE_NOOP("QObject", "ZAR(South African Rand)"), ":/img/za.svg"},
};

const Rate builtinRates[builtinCount] = {
    {"AUD", 1.6468}, {"BGN", 1.9558}, {"BRL", 5.3471},  {"CAD", 1.4556},  {"CHF", 0.9315}, {"CNY", 7.8111},
    {"CZK", 24.875}, {"DKK", 7.454},  {"GBP", 0.85263}, {"HKD", 8.509},   {"HUF", 383.73}, {"IDR", 17012.52},
    {"ILS", 3.9685}, {"INR", 90.232}, {"ISK", 148.3},   {"JPY", 159.58},  {"KRW", 1440.7}, {"MXN", 18.5579},
    {"MYR", 5.1332}, {"NOK", 11.387}, {"NZD", 1.7673},  {"PHP", 60.825},  {"PLN", 4.3175}, {"RON", 4.9727},
    {"SEK", 11.268}, {"SGD", 1.4533}, {"THB", 38.341},  {"TRY", 33.1435}, {"USD", 1.0883}, {"ZAR", 20.2973},
};

bool isValidCode(const QString& code)
{
    static const QRegularExpression re(QStringLiteral("^[A-Z]{3}$"));
    return re.match(code).hasMatch();
}

bool isCardCode(const QString& code)
{
    return std::any_of(std::begin(builtinRates), std::end(builtinRates),
                       [&](const Rate& r) { return code == QLatin1String(r.code); });
}

bool isValidRate(double rate)
{
    return std::isfinite(rate) && rate > 0.0;
}

std::optional<double> storedRate(QSettings& settings, const QString& code)
{
    if (code == QLatin1String(baseCode))
        return 1.0;
    if (!isValidCode(code))
        return std::nullopt;
    settings.beginGroup(QLatin1String(group));
    const QVariant value = settings.value(code);
    settings.endGroup();
    bool ok = false;
    const double rate = value.toString().toDouble(&ok);
    if (!ok || !isValidRate(rate))
        return std::nullopt;
    return rate;
}

std::optional<double> storedRate(const QString& code)
{
    if (code == QLatin1String(baseCode))
        return 1.0;
    QSettings settings(ToolSwitches::settingsFilePath(), QSettings::IniFormat);
    return storedRate(settings, code);
}

Document parseDocument(const QByteArray& data)
{
    Document doc;
    QXmlStreamReader reader(data);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("Cube"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString code = attributes.value(QLatin1String("currency")).toString();
        bool ok = false;
        const double rate = attributes.value(QLatin1String("rate")).toString().toDouble(&ok);
        if (isValidCode(code) && ok && isValidRate(rate))
            doc.rates.insert(code, rate);
    }
    doc.complete = !reader.hasError();
    if (reader.hasError())
        doc.errorString = reader.errorString();
    else if (doc.rates.isEmpty())
        doc.errorString = QStringLiteral("no usable rate in the document");
    return doc;
}

void fillMissingFromBuiltin(QSettings& settings)
{
    for (const Rate& r : builtinRates) {
        const QString code = QString::fromLatin1(r.code);
        if (!storedRate(settings, code)) {
            settings.beginGroup(QLatin1String(group));
            settings.setValue(code, r.rate);
            settings.endGroup();
        }
    }
}

bool store(QSettings& settings, const Document& document, const QDateTime& now)
{
    const bool usable = document.usable();
    if (usable) {
        settings.beginGroup(QLatin1String(group));
        // A feed may list any code: only the card's own reach the settings file.
        for (auto it = document.rates.cbegin(); it != document.rates.cend(); ++it)
            if (isCardCode(it.key()))
                settings.setValue(it.key(), it.value());
        settings.endGroup();
        settings.setValue(QLatin1String(lastDownloadKey), now);
    } else {
        fillMissingFromBuiltin(settings);
    }
    settings.beginGroup(QLatin1String(group));
    settings.setValue(QLatin1String(endKey), QStringLiteral("0"));
    settings.endGroup();
    SettingsFile::save(settings);
    return usable;
}

bool isNewDay(const QVariant& lastDownload, const QDateTime& now)
{
    const QDateTime last = lastDownload.toDateTime();
    return !last.isValid() || last.date() != now.date();
}

} // namespace ExchangeRates
