#include "app/startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

namespace Startup {

void ensureQuickBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

TranslatorChoice chooseTranslations(QLocale::Language language, const QString& systemLocaleName)
{
    TranslatorChoice choice;
    if (language == QLocale::English)
        choice.first = QStringLiteral(":/transEnglish.qm");
    else if (language == QLocale::Chinese)
        choice.first = QStringLiteral(":/transSimpleChinese.qm");
    choice.second = QStringLiteral(":/i18n/") + systemLocaleName + QStringLiteral(".qm");
    return choice;
}

TranslatorChoice installTranslators(QCoreApplication* app, QTranslator* first, QTranslator* second,
                                    QLocale::Language language, const QString& systemLocaleName)
{
    const TranslatorChoice wanted = chooseTranslations(language, systemLocaleName);
    TranslatorChoice installed;
    if (!wanted.first.isEmpty()) {
        (void)first->load(wanted.first); // an empty translator keeps the English texts
        app->installTranslator(first);
        installed.first = wanted.first;
    }
    if (second->load(wanted.second)) {
        app->installTranslator(second);
        installed.second = wanted.second;
    }
    return installed;
}

} // namespace Startup
