#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/config_settings.h"

namespace {

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
}

} // namespace

// Reading and writing what the Preferences dialog edits, on real INI files.
class TestConfigSettings : public QObject
{
    Q_OBJECT
private slots:
    void saveWritesExactFormsAndKeepsOtherKeys()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("plax_config.ini");
        writeFile(path, "[General]\nCOMMAND1=AT\nUDP=True\nMQTT_HOST=127.0.0.1\n");
        ConfigState state;
        for (int& s : state.switches)
            s = 1;
        state.switches[1] = 0;
        state.switches[16] = 0;
        state.autoSerialScan = false;
        state.mapType = 1;
        {
            QSettings settings(path, QSettings::IniFormat);
            QVERIFY(ConfigSettings::save(settings, state));
            // Already on disk, before the object goes.
            const QByteArray text = fileText(path);
            QVERIFY(text.contains("\nCOM=true\n"));
            QVERIFY(text.contains("\nUDP=false\n"));
            QVERIFY(text.contains("\nHex=false\n"));
            QVERIFY(text.contains("\nIMU=true\n"));
            QVERIFY(text.contains("\nAuto_Serial_Scan=false\n"));
            QVERIFY(text.contains("\nMap_Type=1\n"));
            QVERIFY(text.contains("\nCOMMAND1=AT\n"));
            QVERIFY(text.contains("\nMQTT_HOST=127.0.0.1\n"));
            QCOMPARE(text.count("=true\n"), 17);
        }
        QSettings again(path, QSettings::IniFormat);
        const ConfigState back = ConfigSettings::load(again);
        for (int i = 0; i < ToolSwitches::toolCount; ++i)
            QCOMPARE(back.switches[i], state.switches[i]);
        QCOMPARE(back.autoSerialScan, false);
        QCOMPARE(back.mapType, 1);
    }

    void unwritableFileIsReported()
    {
        QTemporaryDir dir;
        // A folder where the file should be: nothing can be written there, not even by root.
        const QString path = dir.filePath("plax_config.ini");
        QVERIFY(QDir().mkpath(path));
        QSettings settings(path, QSettings::IniFormat);
        ConfigState state;
        for (int& s : state.switches)
            s = 1;
        QVERIFY(!ConfigSettings::save(settings, state));
    }
};

QTEST_GUILESS_MAIN(TestConfigSettings)
#include "tst_config_settings.moc"
