#include "app/startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QPointer>
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

namespace {

// Qt's translation of its own texts ("qtbase_zh_CN.qm"), owned by the application.
QString installQtTranslation(QCoreApplication* app, const QString& systemLocaleName)
{
    static QPointer<QTranslator> installed;
    delete installed; // removes itself from the application
    auto* qt = new QTranslator(app);
    if (!qt->load(QLocale(systemLocaleName), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return QString();
    }
    app->installTranslator(qt);
    installed = qt;
    return qt->filePath();
}

} // namespace

TranslatorChoice installTranslators(QCoreApplication* app, QTranslator* first, QTranslator* second,
                                    QLocale::Language language, const QString& systemLocaleName)
{
    const TranslatorChoice wanted = chooseTranslations(language, systemLocaleName);
    TranslatorChoice installed;
    installed.qt = installQtTranslation(app, systemLocaleName);
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
