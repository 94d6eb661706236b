#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/toolswitches.h"
#include "tests/common/modalanswer.h"
#include "tests/common/testhome.h"
#include "tools/documenttext.h"

using Fields = QList<QPair<QString, QVariant>>;
Q_DECLARE_METATYPE(Fields)

class TestCryptyTabs : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<MainWindow> window;
    Ui_MainWindow* ui = nullptr;

    template <typename T> T* widget(const QString& name)
    {
        T* w = window->findChild<T*>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }

    void setField(const QString& name, const QVariant& value)
    {
        if (auto* combo = window->findChild<QComboBox*>(name))
            combo->setCurrentIndex(value.toInt());
        else if (auto* box = window->findChild<QCheckBox*>(name))
            box->setChecked(value.toBool());
        else if (auto* line = window->findChild<QLineEdit*>(name))
            line->setText(value.toString());
        else
            widget<QTextEdit>(name)->setPlainText(value.toString());
    }

    QString text(const QString& name)
    {
        if (auto* line = window->findChild<QLineEdit*>(name))
            return line->text();
        return rawDocumentText(widget<QTextEdit>(name)->document());
    }

private slots:
    void initTestCase()
    {
        home = std::make_unique<TestHome>();
        QList<QPair<QString, QString>> off;
        for (const QString& key : ToolSwitches::keys()) {
            if (key != QLatin1String("UNICODE") && key != QLatin1String("Crypty"))
                off.append({key, QStringLiteral("false")});
        }
        home->writeSettings(off);
        window = std::make_unique<MainWindow>();
        ui = window->ui;
        QCOMPARE(window->startedTools, QStringList({"Unicode", "Crypty"}));
        window->show();
    }

    void cleanupTestCase()
    {
        window.reset();
        home.reset();
    }

    // Every warning of both pages, and valid input that opens none.
    void buttons_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("expected");
        const QString k16 = "133457799BBCDFF1";
        const QString d16 = "0123456789ABCDEF";
        const QString enc = "DespushButton_Encryption";
        const QString res = "DeslineEdit_Result";
        const auto des = [](int mode, const QString& key, const QString& data) {
            return Fields{{"DEScomboBox", mode}, {"DeslineEdit_KEY", key}, {"DeslineEdit_Data", data}};
        };
        QTest::newRow("des-empty-key-before-bad-data") << des(0, "", "zz") << enc << res << "Error for Data"
                                                       << "";
        QTest::newRow("des-2DES-with-16-digit-key") << des(1, k16, d16) << enc << res << "Error for Data"
                                                    << "";
        QTest::newRow("des-bad-key-and-bad-data")
            << des(0, "G33457799BBCDFF1", "0x0123456789ABCD") << "DespushButton_Decryption" << res
            << "Please enter '0' - '9', 'A' - 'F'"
            << "";
        QTest::newRow("des-lower-case-in-upper-out")
            << des(0, "133457799bbcdff1", "0123456789abcdef") << enc << res << ""
            << "85E813540F0AB405";
        QTest::newRow("des-decrypt") << des(1, k16 + k16, "85E813540F0AB405") << "DespushButton_Decryption"
                                     << res << "" << d16;

        const QString source = "base64_source_textBrowser";
        const QString b64 = "base64_to_textBrowser";
        // No-break space and line separator reach the encoder as typed (coreutils base64).
        QTest::newRow("base64-encode-raw-characters")
            << Fields{{source, QString::fromUtf8("a\u00A0b\u2028c\nd")}} << "base64_encode_pushButton" << b64
            << ""
            << "YcKgYuKAqGMKZA==";
        QTest::newRow("base64-decode-lines")
            << Fields{{source, "PGI+eDwv\nYj4="}} << "base64_decode_pushButton" << b64 << ""
            << "<b>x</b>";
        QTest::newRow("base64-invalid")
            << Fields{{source, "Zm9v!mFy"}} << "base64_decode_pushButton" << b64 << "Invalid Base64 text."
            << "";
        QTest::newRow("base64-not-utf8") << Fields{{source, "/w=="}} << "base64_decode_pushButton" << b64
                                         << "The decoded data is not UTF-8 text."
                                         << "";

        const QString edit = "UnicodetextEdit";
        const QString view = "UnicodetextBrowser";
        QTest::newRow("unicode-html-shown-as-text")
            << Fields{{"UnicodecheckBox", false}, {edit, "003C0062003E"}} << "UtoSpushButton" << view << ""
            << "<b>";
        QTest::newRow("unicode-prefix-unticked")
            << Fields{{"UnicodecheckBox", false}, {edit, "\\U0041"}} << "UtoSpushButton" << view
            << "Invalid hexadecimal group \"\\U00\" at position 1."
            << "";
        QTest::newRow("unicode-trailing-partial")
            << Fields{{"UnicodecheckBox", true}, {edit, "\\U00410"}} << "UtoSpushButton" << view
            << "Incomplete group \"0\" at the end."
            << "";
    }

    // A warning is modal, titled "warning:" with one OK, and leaves the output as it was;
    // the inputs are never rewritten.
    void buttons()
    {
        QFETCH(Fields, fields);
        QFETCH(QString, button);
        QFETCH(QString, output);
        QFETCH(QString, warning);
        QFETCH(QString, expected);
        for (const auto& f : fields)
            setField(f.first, f.second);
        setField(output, QStringLiteral("previous"));

        ModalAnswer answer(QStringLiteral("OK"), 2000);
        auto* b = widget<QPushButton>(button);
        QTest::mousePress(b, Qt::LeftButton);
        QTest::mouseRelease(b, Qt::LeftButton);

        QCOMPARE(answer.seen(), !warning.isEmpty());
        if (answer.seen()) {
            QCOMPARE(answer.title(), QStringLiteral("warning:"));
            QCOMPARE(answer.text(), warning);
            QCOMPARE(answer.buttons(), QStringList{"OK"});
        }
        QCOMPARE(text(output), warning.isEmpty() ? expected : QStringLiteral("previous"));
        for (const auto& f : fields) {
            if (f.second.typeId() == QMetaType::QString)
                QCOMPARE(text(f.first), f.second.toString());
        }
    }

    // The count fields follow typing and the cut a shorter mode makes.
    void countFieldsFollowEveryChange()
    {
        ui->DEScomboBox->setCurrentIndex(2);
        ui->DeslineEdit_KEY->clear();
        ui->DeslineEdit_Data->clear();
        QTest::keyClicks(ui->DeslineEdit_KEY, QString("0123456789ABCDEF").repeated(4));
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QStringLiteral("48"));
        QTest::keyClicks(ui->DeslineEdit_Data, QStringLiteral("0123456789ABCDEF01"));
        QCOMPARE(ui->DeslineEdit_Datalen->text(), QStringLiteral("16"));

        ui->DEScomboBox->setCurrentIndex(0);
        QCOMPARE(ui->DeslineEdit_KEY->text(), QStringLiteral("0123456789ABCDEF"));
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QStringLiteral("16"));
        ui->DeslineEdit_Data->clear();
        QCOMPARE(ui->DeslineEdit_Datalen->text(), QStringLiteral("0"));
    }

    void unicodeRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("hex");
        QTest::newRow("two-lines") << "A\nB" << false << "0041000A0042";
        QTest::newRow("no-break-space-and-line-separator")
            << QString::fromUtf8("\u00A0\u2028") << false << "00A02028";
        QTest::newRow("surrogate-pair") << QString::fromUtf8("😀中") << true << "\\UD83D\\UDE00\\U4E2D";
    }

    // Text -> hex -> text through the widgets gives the text back unchanged.
    void unicodeRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(bool, prefix);
        QFETCH(QString, hex);
        ui->UnicodecheckBox->setChecked(prefix);
        ui->UnicodetextEdit->setPlainText(text);
        ModalAnswer answer(QStringLiteral("OK"), 1000);
        QTest::mousePress(ui->StoUpushButton, Qt::LeftButton);
        QCOMPARE(ui->UnicodetextBrowser->toPlainText(), hex);
        ui->UnicodetextEdit->setPlainText(hex);
        QTest::mousePress(ui->UtoSpushButton, Qt::LeftButton);
        QCOMPARE(rawDocumentText(ui->UnicodetextBrowser->document()), text);
        QVERIFY(!answer.seen());
    }
};

QTEST_MAIN(TestCryptyTabs)
#include "tst_crypty_tabs.moc"
