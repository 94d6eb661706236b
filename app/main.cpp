#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QLoggingCategory>
#include <QPixmap>
#include <QSplashScreen>
#include <QTextCodec>
#include <QTranslator>

#include <unistd.h>

#include "app/eventwait.h"
#include "app/mainwindow.h"
#include "app/quenlix_log.h"
#include "app/startup.h"

int main(int argc, char* argv[])
{
    Startup::ensureQuickBackend();
    // Chromium refuses its sandbox for root; the web views would stay empty.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qInstallMessageHandler(quenlix_disable_log);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    QTranslator firstTranslator;
    QTranslator secondTranslator;
    Startup::installTranslators(&app, &firstTranslator, &secondTranslator, QLocale().language(),
                                QLocale::system().name());

    QPixmap splashPicture(QStringLiteral(":images/software.png"));
    QSplashScreen splash(splashPicture);
    splash.show();
    waitProcessingEvents(3000);

    MainWindow window;
    window.show();
    splash.finish(&window);

    return app.exec();
}
