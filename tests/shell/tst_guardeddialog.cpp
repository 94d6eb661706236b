#include <QDialog>
#include <QPointer>
#include <QTest>

#include <memory>

#include "app/guardeddialog.h"

// A form that counts its living copies.
struct CountedForm
{
    static inline int alive = 0;
    CountedForm() { ++alive; }
    ~CountedForm() { --alive; }
    void setupUi(QDialog*) {}
};

// The guard every on-demand dialog of the window goes through.
class TestGuardedDialog : public QObject
{
    Q_OBJECT
private slots:
    // One at a time. An older dialog, closed and forgotten at once (as a port's close
    // path does) and deleted only after a newer one opened, changes nothing of the newer.
    void oneAtATimeAndLateEndOfAnOlderDialog()
    {
        QWidget parent;
        GuardedDialog<CountedForm> guard;
        int ended = 0;
        QPointer<QDialog> older = guard.create(&parent, [&] { ++ended; });
        QVERIFY(older && guard.open && guard.dialog == older && guard.form);
        QVERIFY(!guard.create(&parent)); // refused while one is open
        older->show();
        older->close();
        guard.open = false;
        QDialog* newer = guard.create(&parent, [&] { ++ended; });
        QCOMPARE(CountedForm::alive, 1); // the older form went at once
        QTRY_VERIFY(!older);
        QVERIFY(newer && guard.open && guard.dialog == newer && guard.form && ended == 0);
        QVERIFY(guard.bringToFront());
        newer->close();
        QTRY_VERIFY(!guard.open);
        QVERIFY(!guard.dialog && !guard.form && !guard.bringToFront());
        QVERIFY(ended == 1 && CountedForm::alive == 0);
    }

    // A window's members go before its child widgets: a dialog still open then reaches nobody.
    void dialogOutlivingItsGuardReachesNobody()
    {
        auto parent = std::make_unique<QWidget>();
        auto guard = std::make_unique<GuardedDialog<CountedForm>>();
        bool ended = false;
        guard->create(parent.get(), [&ended] { ended = true; })->show();
        guard.reset();
        QCOMPARE(CountedForm::alive, 0);
        parent.reset();
        QVERIFY(!ended);
    }
};

QTEST_MAIN(TestGuardedDialog)
#include "tst_guardeddialog.moc"
