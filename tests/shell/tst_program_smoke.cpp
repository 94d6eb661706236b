#include <QProcess>
#include <QTest>

#include "tests/common/peerprocess.h"
#include "tests/common/testhome.h"

// Starts the built program on the X server, as a user would, and checks that the
// main window appears after the splash and the process stays alive.
class TestProgramSmoke : public QObject
{
    Q_OBJECT
private slots:
    void programShowsItsWindow()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (run under xvfb-run)");
        TestHome home;
        PeerProcess program;
        QVERIFY(program.start(PLAX_BINARY, {}));
        QTRY_VERIFY_WITH_TIMEOUT(windowListed("Quenlix -- PLAX Ver 3.4.4"), 30000);
        QVERIFY(program.isRunning());
        program.stop();
        QVERIFY(!program.isRunning());
    }

private:
    static bool windowListed(const QString& title)
    {
        QProcess list;
        list.start("xwininfo", {"-root", "-tree"});
        list.waitForFinished(5000);
        return QString::fromLocal8Bit(list.readAllStandardOutput()).contains(title);
    }
};

QTEST_GUILESS_MAIN(TestProgramSmoke)
#include "tst_program_smoke.moc"
