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
#include "tests/common/press.h"
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
        const auto row = [](const char* name, const Fields& fields, const char* button, const char* output,
                            const char* warning, const QString& expected) {
            QTest::newRow(name) << fields << QString(button) << QString(output) << QString(warning)
                                << expected;
        };
        const auto des = [](int mode, const QString& key, const QString& data) {
            return Fields{{"DEScomboBox", mode}, {"DeslineEdit_KEY", key}, {"DeslineEdit_Data", data}};
        };
        const QString k16 = "133457799BBCDFF1", d16 = "0123456789ABCDEF";
        const char *enc = "DespushButton_Encryption", *dec = "DespushButton_Decryption",
                   *res = "DeslineEdit_Result";
        row("des-empty-key-before-bad-data", des(0, "", "zz"), enc, res, "Error for Data", "");
        row("des-bad-key-and-bad-data", des(0, "G33457799BBCDFF1", "0x0123456789ABCD"), dec, res,
            "Please enter '0' - '9', 'A' - 'F'", "");
        row("des-lower-case-in-upper-out", des(0, "133457799bbcdff1", "0123456789abcdef"), enc, res, "",
            "85E813540F0AB405");
        row("des-decrypt", des(1, k16 + k16, "85E813540F0AB405"), dec, res, "", d16);

        const char* source = "base64_source_textBrowser";
        const char *encode = "base64_encode_pushButton", *decode = "base64_decode_pushButton";
        const char* b64 = "base64_to_textBrowser";
        // No-break space and line separator reach the encoder as typed (coreutils base64).
        row("base64-encode-raw-characters", {{source, QString::fromUtf8("a\u00A0b\u2028c\nd")}}, encode, b64,
            "", "YcKgYuKAqGMKZA==");
        row("base64-decode-lines", {{source, "PGI+eDwv\nYj4="}}, decode, b64, "", "<b>x</b>");
        row("base64-invalid", {{source, "Zm9v!mFy"}}, decode, b64, "Invalid Base64 text.", "");
        row("base64-not-utf8", {{source, "/w=="}}, decode, b64, "The decoded data is not UTF-8 text.", "");

        const auto unicode = [](bool prefix, const char* hex) {
            return Fields{{"UnicodecheckBox", prefix}, {"UnicodetextEdit", hex}};
        };
        const char *toText = "UtoSpushButton", *view = "UnicodetextBrowser";
        row("unicode-html-shown-as-text", unicode(false, "003C0062003E"), toText, view, "", "<b>");
        row("unicode-prefix-unticked", unicode(false, "\\U0041"), toText, view,
            "Invalid hexadecimal group \"\\U00\" at position 1.", "");
        row("unicode-trailing-partial", unicode(true, "\\U00410"), toText, view,
            "Incomplete group \"0\" at the end.", "");
        // Text -> hex -> text through the widgets gives the text back unchanged.
        row("unicode-from-lines-and-separators", unicode(false, "A\nB\u00A0\u2028"), "StoUpushButton", view,
            "", "0041000A004200A02028");
        row("unicode-to-lines-and-separators", unicode(false, "0041000A004200A02028"), toText, view, "",
            QString::fromUtf8("A\nB\u00A0\u2028"));
        row("unicode-from-surrogate-pair", unicode(true, "😀中"), "StoUpushButton", view, "",
            "\\UD83D\\UDE00\\U4E2D");
        row("unicode-to-surrogate-pair", unicode(true, "\\UD83D\\UDE00\\U4E2D"), toText, view, "",
            QString::fromUtf8("😀中"));
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
        press(widget<QPushButton>(button));

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
};

QTEST_MAIN(TestCryptyTabs)
#include "tst_crypty_tabs.moc"
