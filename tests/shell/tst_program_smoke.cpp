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
        QTRY_VERIFY_WITH_TIMEOUT(windowList().contains("Quenlix -- PLAX Ver 3.4.4"), 30000);
        QVERIFY(program.isRunning());
    }

private:
    static QByteArray windowList()
    {
        QProcess list;
        list.start("xwininfo", {"-root", "-tree"});
        return list.waitForFinished(5000) ? list.readAllStandardOutput() : QByteArray();
    }
};

QTEST_GUILESS_MAIN(TestProgramSmoke)
#include "tst_program_smoke.moc"
