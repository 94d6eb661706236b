#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QVariant>

#include <optional>

class QSettings;

// The currency card's data: its 31 currencies, the euro reference rates stored in the
// settings file (units of a currency per euro, group "ExchangeRates"), the built-in table
// used when no document could be read, and the reading of the daily rate document.
namespace ExchangeRates {

inline constexpr char group[] = "ExchangeRates";
inline constexpr char endKey[] = "END";
// Top level: the time of every start of the panel, and of the last stored download.
inline constexpr char lastOpenedKey[] = "lastOpenedDateTime";
inline constexpr char lastDownloadKey[] = "lastRatesDownload";
inline constexpr char baseCode[] = "EUR";
// Translation context of the currency labels.
inline constexpr char labelContext[] = "QObject";

struct Currency
{
    const char* label; // "AUD(Australian Dollar)": code, then the long name
    const char* flag;  // resource path of its flag picture
};
constexpr int currencyCount = 31;
extern const Currency currencies[currencyCount];

struct Rate
{
    const char* code;
    double rate;
};
constexpr int builtinCount = 30;
// Rates for every currency of the card but the euro, in alphabetical order.
extern const Rate builtinRates[builtinCount];

// Three capital letters A-Z.
bool isValidCode(const QString& code);
// One of the card's currencies other than the euro (the codes of the built-in table).
bool isCardCode(const QString& code);
// A finite rate above zero.
bool isValidRate(double rate);

// The rate stored for `code`: 1 for the euro without touching the settings; nothing
// when the key is missing, not a number, or not above zero.
std::optional<double> storedRate(QSettings& settings, const QString& code);
// The same through a settings object of its own on the program's settings file, so every
// call sees what is stored at that moment.
std::optional<double> storedRate(const QString& code);

struct Document
{
    bool complete = false;       // well-formed to its end
    QMap<QString, double> rates; // only valid codes with valid rates
    QString errorString;
    bool usable() const { return complete && !rates.isEmpty(); }
};
// Reads every element named exactly "Cube" (any namespace) with "currency" and "rate"
// attributes; rates are read with "." as decimal point whatever the locale.
Document parseDocument(const QByteArray& data);

// Stores a usable document's rates (and the download time); otherwise keeps what is
// stored and fills only the missing codes from the built-in table. Writes "END" either
// way and flushes. Returns true when the document was stored.
bool store(QSettings& settings, const Document& document, const QDateTime& now);
void fillMissingFromBuiltin(QSettings& settings);

// True when no download is recorded or the recorded one is from another calendar day.
bool isNewDay(const QVariant& lastDownload, const QDateTime& now);

} // namespace ExchangeRates
