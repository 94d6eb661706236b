#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace Startup {

// Sets QT_QUICK_BACKEND to "software" when it is unset or empty.
void ensureQuickBackend();

struct TranslatorChoice
{
    QString first;  // built-in translation chosen by language, empty when none
    QString second; // locale-named translation, empty when none exists
    QString qt;     // Qt's own translation for the system locale, empty when none is installed
};

// The translation files for a default-locale language and a system locale name ("zh_CN").
TranslatorChoice chooseTranslations(QLocale::Language language, const QString& systemLocaleName);

// Loads and installs the chosen translators; the first is installed even when its
// file fails to load, the second only when it loads. Before them, Qt's own translation
// for the system locale (standard buttons, text field menus) is installed when the system
// has it, so the program's texts take precedence; a later call replaces it.
// Returns what was installed.
TranslatorChoice installTranslators(QCoreApplication* app, QTranslator* first, QTranslator* second,
                                    QLocale::Language language, const QString& systemLocaleName);

} // namespace Startup
