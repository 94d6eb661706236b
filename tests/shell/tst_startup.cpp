#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <unistd.h>

#include "app/eventwait.h"
#include "app/quenlix_log.h"
#include "app/startup.h"

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void translatorsByLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("en_US") << "en_US"
                               << ":/transEnglish.qm"
                               << ":/i18n/en_US.qm";
        QTest::newRow("zh_CN") << "zh_CN"
                               << ":/transSimpleChinese.qm"
                               << ":/i18n/zh_CN.qm";
        QTest::newRow("zh_TW") << "zh_TW"
                               << ":/transSimpleChinese.qm"
                               << "";
        QTest::newRow("de_DE") << "de_DE"
                               << ""
                               << "";
    }
    void translatorsByLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QTranslator t1, t2;
        const QLocale loc(locale);
        const auto installed = Startup::installTranslators(qApp, &t1, &t2, loc.language(), loc.name());
        QCOMPARE(installed.first, first);
        QCOMPARE(installed.second, second);
        if (!first.isEmpty())
            QVERIFY(!t1.isEmpty()); // the built-in file exists and loaded
        QCoreApplication::removeTranslator(&t1);
        QCoreApplication::removeTranslator(&t2);
    }

    void chineseKeepsTabTitlesInEnglish()
    {
        QTranslator t;
        QVERIFY(t.load(":/transSimpleChinese.qm"));
        QVERIFY(!t.translate("MainWindow", "Preferences").isEmpty());
        for (const char* title : {"Serial Debug", "GPS Debug", "Convert", "Hex", "More"}) {
            const QString translated = t.translate("MainWindow", title);
            QVERIFY2(translated.isEmpty() || translated == QLatin1String(title), title);
        }
    }

    void quickBackend()
    {
        qputenv("QT_QUICK_BACKEND", "");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
        qunsetenv("QT_QUICK_BACKEND");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("software"));
        qputenv("QT_QUICK_BACKEND", "rhi");
        Startup::ensureQuickBackend();
        QCOMPARE(qgetenv("QT_QUICK_BACKEND"), QByteArray("rhi"));
    }

    void logFormats()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        FILE* out = fdopen(dup(file.handle()), "w");
        quenlix_log_output = out;
        QMessageLogContext ctx("a.cpp", 12, "void f()", "cat");
        quenlix_log(QtDebugMsg, ctx, "hello");
        quenlix_log(QtWarningMsg, ctx, "warn");
        quenlix_log(QtInfoMsg, QMessageLogContext(), "");
        fclose(out);
        quenlix_log_output = nullptr;
        file.seek(0);
        const QByteArray text = file.readAll();
        QCOMPARE(text, QByteArray("Debug: hello (a.cpp:12, void f())\nWarning: warn (a.cpp:12, void f())\n"
                                  "Info:  (:0, )\n"));
        quenlix_disable_log(QtCriticalMsg, ctx, "dropped"); // does nothing, must not crash
    }

    void waitServesTimersAndLastsLongEnough()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(500);
        QVERIFY(clock.elapsed() >= 500);
        QVERIFY(clock.elapsed() < 1500);
        QVERIFY(ticks >= 10);
    }

    void nonPositiveWaitsReturnAtOnce()
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] { ran = true; });
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(0);
        waitProcessingEvents(-5);
        QVERIFY(clock.elapsed() < 50);
        QVERIFY(!ran); // no event was processed
    }

    void nestedWaitsReturnInReverseOrder()
    {
        QStringList order;
        // The inner wait outlasts the outer one: the outer can only return after it.
        QTimer::singleShot(50, this, [&] {
            waitProcessingEvents(300);
            order << "inner";
        });
        QElapsedTimer clock;
        clock.start();
        waitProcessingEvents(100);
        order << "outer";
        QCOMPARE(order, QStringList({"inner", "outer"}));
        QVERIFY(clock.elapsed() >= 340);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
