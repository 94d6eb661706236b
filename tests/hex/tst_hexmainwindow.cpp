#include <QFile>
#include <QTest>

#include "app/mainwindow.h"
#include "app/toolswitches.h"
#include "tests/common/testhome.h"
#include "tests/hex/hexfixtures.h"
#include "tools/hextablemodel.h"
#include "tools/quenlix_hex_tools.h"

using namespace HexFixtures;

// The hex tool sits in a tab page and gets no close event of its own: closing
// the program must still ask about unsaved edits.
class TestHexMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void closingTheProgramAsksAboutEdits()
    {
        TestHome home;
        QList<QPair<QString, QString>> switches;
        for (const QString& key : ToolSwitches::keys())
            switches << qMakePair(key, QString(key == "Hex" ? "true" : "false"));
        switches << qMakePair(QString(ToolSwitches::autoSerialScanKey), QString("false"));
        home.writeSettings(switches);

        const QString path = home.path() + "/edited.bin";
        QVERIFY(python(path, "open(path,'wb').write(bytes(range(40)))"));
        MainWindow window;
        auto* hex = window.findChild<quenlix_hex_tools*>();
        QVERIFY(hex);
        window.show();
        QVERIFY(hex->loadFile(1, path));
        QVERIFY(hex->model1->setData(hex->model1->index(1, 1), "FF"));
        {
            ModalScript script({"Cancel"});
            QVERIFY(!window.close());
            QCOMPARE(script.titles, QStringList{"Save Changes"});
            QVERIFY(window.isVisible());
        }
        ModalScript script({"Yes", "OK"});
        QVERIFY(window.close());
        QCOMPARE(script.texts.last(), "File saved successfully.");
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(uchar(saved.readAll().at(16)), uchar(0xFF));
    }
};

QTEST_MAIN(TestHexMainWindow)
#include "tst_hexmainwindow.moc"
