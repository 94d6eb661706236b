// The built-in Simplified Chinese translation: every text lupdate extracts from the program
// has a finished translation that keeps the English text's placeholders, accelerators and
// markup, and a window started in zh_CN shows none of the English texts on its tabs and
// dialogs, Qt's own buttons and menus included.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTranslator>
#include <QXmlStreamReader>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/toolswitches.h"
#include "protocols/CharacteristicWidget.h"
#include "protocols/WriteDialog.h"
#include "tests/common/modalanswer.h"
#include "tests/common/testhome.h"
#include "tests/common/windowtour.h"
#include "tools/convert_exchangerates.h"
#include "tools/convert_units.h"

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment; // tells apart two uses of one source text
    QString translation;
    bool finished = false;
};

QList<Message> readTs(const QString& path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            m = Message{context, {}, {}, {}, false};
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            m.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            m.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            m.translation = xml.readElementText();
            messages << m;
        }
    }
    return messages;
}

const QList<Message>& chineseMessages()
{
    static const QList<Message> list = readTs(QStringLiteral(PLAX_TRANSLATIONS_DIR "/transSimpleChinese.ts"));
    return list;
}

// Texts that read the same in Chinese: the tab titles (the window finds its tools by them),
// names of protocols, sensors and ciphers, units, numbers, texts already in Chinese, and the
// lines a device sends, which the help card shows as they must be sent.
bool keptAsIs(const Message& m)
{
    static const QSet<QString> names = {"Quenlix -- PLAX",
                                        "UDP",
                                        "TCP",
                                        "GPS",
                                        "GSM",
                                        "UNICODE",
                                        "MQTT",
                                        "Ble",
                                        "i2cdump",
                                        "TOF",
                                        "Modbus",
                                        "CIE",
                                        "IMU",
                                        "RTS",
                                        "DTR",
                                        "1000",
                                        "127.0.0.1",
                                        "CO₂:",
                                        "TVOC:",
                                        "CO₂",
                                        "TVOC",
                                        "w:",
                                        "X:",
                                        "Y:",
                                        "Z:",
                                        "2D",
                                        "3D",
                                        "CIE x :",
                                        "CIE y :",
                                        "DES - CBC",
                                        "DES",
                                        "2DES",
                                        "3DES",
                                        "Base64",
                                        "GPS:",
                                        "TOF:",
                                        "CIE:",
                                        "IMU:",
                                        "AS7341:",
                                        "AS7343:",
                                        "AS7265X:"};
    static const QRegularExpression dataUnit(QStringLiteral("^[kMGTPE]?([Bb]it|B)$"));
    static const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    const bool tabTitle = m.context == QLatin1String("MainWindow") && m.comment.isEmpty() &&
                          (ToolSwitches::tabTitles().contains(m.source) || m.source == QLatin1String("More"));
    return tabTitle || names.contains(m.source) || chinese.match(m.source).hasMatch() ||
           (m.context == QLatin1String("Help") && m.source.contains(QLatin1String("\\r\\n"))) ||
           (m.context == QLatin1String("quenlix_convert") && dataUnit.match(m.source).hasMatch());
}

QString translated(const QTranslator& translator, const Message& m)
{
    const QByteArray context = m.context.toUtf8(), source = m.source.toUtf8(), comment = m.comment.toUtf8();
    return translator.translate(context, source, m.comment.isEmpty() ? nullptr : comment.constData());
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression arg(QStringLiteral("%L?\\d+"));
    QStringList found;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// What the converter reads back from a shown label: a unit's symbol (the text without its
// bracketed name) or a currency's code (the first three letters).
QString unitKey(const QString& context, const QString& label)
{
    static const QRegularExpression name(QString::fromLatin1(UnitConvert::cleanUnitPattern));
    if (context == QLatin1String(UnitConvert::labelContext) && label.contains(QLatin1Char('(')))
        return QString(label).remove(name);
    if (context == QLatin1String(ExchangeRates::labelContext))
        return label.left(3);
    return QString();
}

// The English texts a Chinese screen must not show, as set and as a rich-text label shows them;
// a text kept as it is in one place ("Hex", a tab title) may show anywhere.
QSet<QString> englishTexts()
{
    QSet<QString> texts, kept;
    for (const Message& m : chineseMessages()) {
        if (keptAsIs(m)) {
            kept << m.source;
            continue;
        }
        texts << m.source;
        if (Qt::mightBeRichText(m.source))
            texts << QTextDocumentFragment::fromHtml(m.source).toPlainText();
    }
    return texts - kept;
}

// Every text a person can read on `root` and its shown children, but for the widgets whose
// English text the program reads back: the Modbus button's "Read"/"Write" picks the transaction.
QStringList shownTexts(QWidget* root, const QTabWidget* mainTabs)
{
    static const QStringList untranslatedOnPurpose = {QStringLiteral("Modbus_pushButton")};
    QStringList texts;
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if ((w != root && !w->isVisibleTo(root)) || untranslatedOnPurpose.contains(w->objectName()))
            continue;
        if (w->isWindow())
            texts << w->windowTitle();
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text() << QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            texts << edit->placeholderText() << edit->text();
        if (auto* edit = qobject_cast<QTextEdit*>(w))
            texts << edit->toPlainText() << edit->placeholderText();
        if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs && tabs != mainTabs)
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                texts << view->model()->headerData(c, Qt::Horizontal).toString();
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyTextHasChinese_data()
    {
        QTest::addColumn<QString>("context");
        QVERIFY2(!chineseMessages().isEmpty(), PLAX_TRANSLATIONS_DIR "/transSimpleChinese.ts unreadable");
        QStringList contexts;
        for (const Message& m : chineseMessages())
            if (!contexts.contains(m.context))
                contexts << m.context;
        for (const QString& c : contexts)
            QTest::newRow(qPrintable(c)) << c;
    }
    // Finished, not empty, not the English text unless kept as it is; the compiled file the
    // program loads says the same; placeholders, accelerators and markup survive.
    void everyTextHasChinese()
    {
        QFETCH(QString, context);
        QTranslator compiled;
        QVERIFY(compiled.load(QStringLiteral(":/transSimpleChinese.qm")));
        QStringList faults;
        for (const Message& m : chineseMessages()) {
            if (m.context != context)
                continue;
            const QString shown = translated(compiled, m);
            if (!m.finished || m.translation.isEmpty())
                faults << QStringLiteral("untranslated: ") + m.source;
            else if (m.translation == m.source && !keptAsIs(m))
                faults << QStringLiteral("still English: ") + m.source;
            else if (shown != m.translation)
                faults << QStringLiteral("not compiled in: ") + m.source;
            else if (placeholders(m.source) != placeholders(m.translation))
                faults << QStringLiteral("placeholders differ: ") + m.source;
            else if (m.source.count(QLatin1Char('&')) != m.translation.count(QLatin1Char('&')))
                faults << QStringLiteral("accelerator lost: ") + m.source;
            else if (m.source.count(QLatin1Char('<')) != m.translation.count(QLatin1Char('<')))
                faults << QStringLiteral("markup differs: ") + m.source;
            else if (unitKey(m.context, m.source) != unitKey(m.context, m.translation))
                faults << QStringLiteral("unit or currency code changed: ") + m.source;
        }
        for (const QString& f : faults)
            qInfo().noquote() << context << f;
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
    }

    // The locale-named file carries the same texts as the built-in one.
    void localeFileMatchesBuiltIn()
    {
        QTranslator builtIn, named;
        QVERIFY(builtIn.load(QStringLiteral(":/transSimpleChinese.qm")));
        QVERIFY(named.load(QStringLiteral(":/i18n/zh_CN.qm")));
        for (const Message& m : chineseMessages())
            QCOMPARE(translated(named, m), translated(builtIn, m));
    }

    // Qt's standard buttons and the text fields' menu follow the system locale when Debian's
    // Qt translation is installed; the program's own texts still win.
    void qtOwnTextsInChinese()
    {
        QTranslator first, second;
        const auto installed =
            Startup::installTranslators(qApp, &first, &second, QLocale::Chinese, QStringLiteral("zh_CN"));
        if (installed.qt.isEmpty())
            QSKIP("Qt's Simplified Chinese translation (qt6-translations-l10n) is not installed");
        QVERIFY(installed.qt.endsWith(QLatin1String("qtbase_zh_CN.qm")));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')),
                 QStringLiteral("确定"));
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("取消"));
        QLineEdit edit;
        QScopedPointer<QMenu> menu(edit.createStandardContextMenu());
        const QStringList english = {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"};
        for (QAction* action : menu->actions())
            QVERIFY2(action->isSeparator() ||
                         !english.contains(action->text().section(QLatin1Char('\t'), 0, 0)),
                     qPrintable(action->text()));
        QCOMPARE(qApp->translate("MainWindow", "Send"), QStringLiteral("发送"));
        // English again: Qt's Chinese goes with the Chinese choice.
        QTranslator third, fourth;
        Startup::installTranslators(qApp, &third, &fourth, QLocale::English, QStringLiteral("en_US"));
        QDialogButtonBox again(QDialogButtonBox::Ok);
        QCOMPARE(again.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
    }

    // Every tab and dialog of a window started in zh_CN, with what each shows.
    void noEnglishOnScreen()
    {
        QTranslator first, second;
        Startup::installTranslators(qApp, &first, &second, QLocale::Chinese, QStringLiteral("zh_CN"));
        const QSet<QString> english = englishTexts();
        QStringList left;
        const auto look = [&](const QString& where, QWidget* root, const QTabWidget* mainTabs) {
            for (const QString& text : shownTexts(root, mainTabs))
                if (english.contains(text))
                    left << where + QStringLiteral(": ") + text;
        };
        TestHome home;
        MainWindow w;
        w.resize(915, 750);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTabWidget* tabs = w.ui->tabWidget;
        look(QStringLiteral("menus"), w.menuBar(), tabs);
        for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
            for (QAction* action : menu->actions())
                if (english.contains(action->text()))
                    left << QStringLiteral("menu: ") + action->text();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            settleLayouts();
            look(tabs->tabText(i), tabs->currentWidget(), tabs);
        }
        for (const auto& [name, open] : windowDialogs(w)) {
            QPointer<QDialog> dialog = open();
            QVERIFY2(dialog, name);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            settleLayouts();
            look(QString::fromLatin1(name), dialog, tabs);
            dialog->close();
            QTRY_VERIFY(!dialog || !dialog->isVisible());
        }
        // The BLE service panel and its write dialog, which need no device to show.
        CharacteristicWidget service(QStringLiteral("180f"), nullptr);
        service.setCharacteristicInfo(QStringLiteral("Battery"), QStringLiteral("2a19"), QString(),
                                      QStringLiteral("Read Write Notify"));
        service.show();
        look(QStringLiteral("ble-service"), &service, tabs);
        WriteDialog write(nullptr);
        write.show();
        look(QStringLiteral("ble-write"), &write, tabs);
        // A message box: the hex tool's Go to without a file, its OK button Qt's own.
        QObject answering;
        int boxes = 0;
        answerModals<QDialog>(&answering, [&](QDialog* box) {
            ++boxes;
            look(QStringLiteral("message box"), box, tabs);
            box->close();
        });
        tabs->setCurrentIndex(ToolSwitches::tabTitles().indexOf(QStringLiteral("Hex")));
        auto* go = tabs->currentWidget()->findChild<QPushButton*>(QStringLiteral("gotoButton"));
        QVERIFY(go);
        go->click();
        QCOMPARE(boxes, 1);
        for (const QString& l : left)
            qInfo().noquote() << l;
        QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("%1 English texts on screen").arg(left.size())));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
