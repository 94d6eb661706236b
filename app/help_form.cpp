#include "app/help_form.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QIcon>
#include <QTextBrowser>
#include <QTextDocument>

#include <QMetaObject>
#include <QSpacerItem>
#include <cmath>

#include "app/shell_images.h"

namespace {

const char* const groupTitles[] = {
    QT_TRANSLATE_NOOP("Help", "GPS:"),          QT_TRANSLATE_NOOP("Help", "Environment:"),
    QT_TRANSLATE_NOOP("Help", "Oscilloscope:"), QT_TRANSLATE_NOOP("Help", "Spectra:"),
    QT_TRANSLATE_NOOP("Help", "TOF:"),          QT_TRANSLATE_NOOP("Help", "CIE:"),
    QT_TRANSLATE_NOOP("Help", "IMU:"),
};
const int groupRows[] = {0, 1, 4, 5, 6, 7, 8};
constexpr int groupCount = int(sizeof(groupRows) / sizeof(groupRows[0]));

// One entry of the card. An entry without a heading continues the group above it
// (the spectrometer's sensor blocks), one with a sensor name starts with that name.
struct CardEntry
{
    int group;
    const char* heading;
    const char* sensor;
    const char* format;
    const char* example;
};

const CardEntry cardEntries[] = {
    {0, QT_TRANSLATE_NOOP("Help", "TCP server receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "Latitude:xx.xxxxx,Longitude:xxx.xxxxx\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "Latitude:39.92215,Longitude:116.46478\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "Temperature receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "Temperature:xx.xxC\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "Temperature:25.25C\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "Humidity receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "Humidity:xx.xx%\\r\\n"), QT_TRANSLATE_NOOP("Help", "Humidity:60.71%\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "Ultraviolet receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "Ultraviolet:xxxx\\r\\n"), QT_TRANSLATE_NOOP("Help", "Ultraviolet:300\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "CO2 receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "CO2:xxxxxppm\\r\\n"), QT_TRANSLATE_NOOP("Help", "CO2:5000ppm\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "TVOC receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "TVOC:xxxxxppb\\r\\n"), QT_TRANSLATE_NOOP("Help", "TVOC:200ppb\\r\\n")},
    {1, QT_TRANSLATE_NOOP("Help", "Barometer receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "Barometer:xxxxPa\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "Barometer:1120Pa\\r\\n")},
    {2, QT_TRANSLATE_NOOP("Help", "Oscilloscope receive format:"), nullptr,
     QT_TRANSLATE_NOOP("Help", "$0:xxxxx;$1:xxxxx;$2:xxxxx;$3:xxxxx;\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "$0:34;$1:548;$2:0.547;$3:-1.579;\\r\\n")},
    {3, QT_TRANSLATE_NOOP("Help", "Spectra receive format(int):"), QT_TRANSLATE_NOOP("Help", "AS7341:"),
     QT_TRANSLATE_NOOP(
         "Help", "F1:xxxx\\r\\nF2:xxxx\\r\\nF3:xxxx\\r\\nF4:xxxx\\r\\nF5:xxxx\\r\\nF6:xxxx\\r\\nF7:xxxx\\r\\n"
                 "F8:xxxx\\r\\nNIR:xxxx\\r\\n"),
     QT_TRANSLATE_NOOP("Help",
                       "F1:47\\r\\nF2:1000\\r\\nF3:570\\r\\nF4:170\\r\\nF5:50\\r\\nF6:70\\r\\nF7:140\\r\\n"
                       "F8:68\\r\\nNIR:130\\r\\n")},
    {3, nullptr, QT_TRANSLATE_NOOP("Help", "AS7343:"),
     QT_TRANSLATE_NOOP(
         "Help", "F1:xxxx\\r\\nF2:xxxx\\r\\nF3:xxxx\\r\\nF4:xxxx\\r\\nF5:xxxx\\r\\nF6:xxxx\\r\\nF7:xxxx\\r\\n"
                 "F8:xxxx\\r\\nNIR:xxxx\\r\\nFXL:xxxx\\r\\nFZ:xxxx\\r\\nFY:xxxx\\r\\n"),
     QT_TRANSLATE_NOOP("Help",
                       "F1:47\\r\\nF2:1000\\r\\nF3:570\\r\\nF4:170\\r\\nF5:50\\r\\nF6:70\\r\\nF7:140\\r\\n"
                       "F8:68\\r\\nNIR:130\\r\\nFXL:687\\r\\nFZ:23\\r\\nFY:11\\r\\n")},
    {3, nullptr, QT_TRANSLATE_NOOP("Help", "AS7265X:"),
     QT_TRANSLATE_NOOP(
         "Help", "F1:xxxx\\r\\nF2:xxxx\\r\\nF3:xxxx\\r\\nF4:xxxx\\r\\nF5:xxxx\\r\\nF6:xxxx\\r\\nF7:xxxx\\r\\n"
                 "F8:xxxx\\r\\nF9:xxxx\\r\\nF10:xxxx\\r\\nF11:xxxx\\r\\nF12:xxxx\\r\\nF13:xxxx\\r\\n"
                 "F14:xxxx\\r\\nF15:xxxx\\r\\nF16:xxxx\\r\\nF17:xxxx\\r\\nF18:xxxx\\r\\n"),
     QT_TRANSLATE_NOOP(
         "Help", "F1:47\\r\\nF2:1000\\r\\nF3:570\\r\\nF4:170\\r\\nF5:50\\r\\nF6:70\\r\\nF7:140\\r\\n"
                 "F8:68\\r\\nF9:130\\r\\nF10:687\\r\\nF11:23\\r\\nF12:11\\r\\nF13:247\\r\\nF14:874\\r\\n"
                 "F15:12\\r\\nF16:77\\r\\nF17:726\\r\\nF18:814\\r\\n")},
    {4, QT_TRANSLATE_NOOP("Help", "TOF receive format(int):"), nullptr,
     QT_TRANSLATE_NOOP("Help",
                       "xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx...xxxx,xxxx,\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "2215,4478 ... 784,465\\r\\n")},
    {5, QT_TRANSLATE_NOOP("Help", "CIE receive format(float):"), nullptr,
     QT_TRANSLATE_NOOP("Help", "CIEX:x.xxxxx;CIEY:x.xxxxx;LUX:xxxx.xxxx;CCT:xxx.xxxx\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\\r\\n")},
    {6, QT_TRANSLATE_NOOP("Help", "IMU receive format(float):"), nullptr,
     QT_TRANSLATE_NOOP("Help", "W:x.xxxxx;X:x.xxxxx;Y:xxxx.xxxx;Z:xxx.xxxx\\r\\n"),
     QT_TRANSLATE_NOOP("Help", "W:0.587309;X:0.424433;Y:682.496000;Z:63.247393\\r\\n")},
};

// The format lines have no blanks: offer a line break after each field and line end, so a
// long format wraps to the card's width instead of widening it.
QString breakable(QString text)
{
    const QChar zeroWidthSpace(0x200B);
    for (const QString& mark : {QStringLiteral("\\r\\n"), QStringLiteral(","), QStringLiteral(";")})
        text.replace(mark, mark + zeroWidthSpace);
    if (text.endsWith(zeroWidthSpace))
        text.chop(1);
    return text;
}

// An example box wraps its line anywhere and grows to show every wrapped line, one line high
// when the example fits.
void fitToCardWidth(QTextBrowser* example)
{
    example->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    example->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    example->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    example->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QObject::connect(example->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                     example, [example](const QSizeF& size) {
                         const int frame = 2 * example->frameWidth();
                         example->setMaximumHeight(QWIDGETSIZE_MAX);
                         example->setFixedHeight(qMax(25, int(std::ceil(size.height())) + frame));
                     });
}

} // namespace

void Ui_Help::setupUi(QDialog* Help)
{
    if (Help->objectName().isEmpty())
        Help->setObjectName("Help");
    Help->resize(493, 663);
    Help->setWindowIcon(QIcon(QString::fromLatin1(ShellImages::windowIcon)));

    gridLayout_5 = new QGridLayout(Help);
    gridLayout_5->setObjectName("gridLayout_5");
    scrollArea = new QScrollArea(Help);
    scrollArea->setObjectName("scrollArea");
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents_2 = new QWidget();
    scrollAreaWidgetContents_2->setObjectName("scrollAreaWidgetContents_2");
    gridLayout_7 = new QGridLayout(scrollAreaWidgetContents_2);
    gridLayout_7->setObjectName("gridLayout_7");

    QList<QGridLayout*> groupGrids;
    for (int g = 0; g < groupCount; ++g) {
        auto* box = new QGroupBox(scrollAreaWidgetContents_2);
        box->setObjectName(QStringLiteral("groupBox_%1").arg(g + 1));
        auto* grid = new QGridLayout(box);
        grid->setObjectName(QStringLiteral("gridLayout_%1").arg(10 + g));
        gridLayout_7->addWidget(box, groupRows[g], 0);
        groups.append(box);
        groupGrids.append(grid);
    }

    int labelNumber = 0;
    auto newLabel = [&](QWidget* parent, const char* style) {
        auto* label = new QLabel(parent);
        label->setObjectName(QStringLiteral("label_%1").arg(++labelNumber));
        if (style)
            label->setStyleSheet(QString::fromLatin1(style));
        return label;
    };
    for (const CardEntry& entry : cardEntries) {
        QGroupBox* box = groups.at(entry.group);
        QGridLayout* grid = groupGrids.at(entry.group);
        if (entry.heading) {
            QLabel* heading = newLabel(box, "font: bold 12pt;");
            grid->addWidget(heading, grid->rowCount(), 0);
            headingLabels.append(heading);
        }
        if (entry.sensor) {
            QLabel* sensor = newLabel(box, nullptr);
            sensor->setTextFormat(Qt::RichText);
            grid->addWidget(sensor, grid->rowCount(), 0);
            sensorLabels.append(sensor);
        }
        QLabel* format = newLabel(box, "font: italic 10pt ;");
        format->setTextFormat(Qt::PlainText);
        format->setWordWrap(true);
        grid->addWidget(format, grid->rowCount(), 0);
        formatLabels.append(format);
        QLabel* caption = newLabel(box, nullptr);
        grid->addWidget(caption, grid->rowCount(), 0);
        exampleCaptions.append(caption);
        auto* example = new QTextBrowser(box);
        example->setObjectName(QStringLiteral("textBrowser_%1").arg(exampleBoxes.size() + 1));
        example->setMaximumHeight(25);
        fitToCardWidth(example);
        grid->addWidget(example, grid->rowCount(), 0);
        exampleBoxes.append(example);
    }

    scrollArea->setWidget(scrollAreaWidgetContents_2);
    gridLayout_5->addWidget(scrollArea, 0, 0, 1, 2);
    gridLayout_5->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 0);
    helpdialogCancel = new QPushButton(Help);
    helpdialogCancel->setObjectName("helpdialogCancel");
    gridLayout_5->addWidget(helpdialogCancel, 1, 1);

    retranslateUi(Help);
    QMetaObject::connectSlotsByName(Help);
}

void Ui_Help::retranslateUi(QDialog* Help)
{
    Help->setWindowTitle(tr("Help"));
    for (int g = 0; g < groupCount; ++g)
        groups.at(g)->setTitle(tr(groupTitles[g]));
    int heading = 0;
    int sensor = 0;
    int entryIndex = 0;
    for (const CardEntry& entry : cardEntries) {
        if (entry.heading)
            headingLabels.at(heading++)->setText(tr(entry.heading));
        if (entry.sensor)
            sensorLabels.at(sensor++)->setText(
                QStringLiteral(
                    "<html><head/><body><p><span style=\" font-size:10pt; font-weight:700;\">%1</span>"
                    "</p></body></html>")
                    .arg(tr(entry.sensor).toHtmlEscaped()));
        formatLabels.at(entryIndex)->setText(breakable(tr(entry.format)));
        exampleCaptions.at(entryIndex)->setText(tr("eg.:"));
        exampleBoxes.at(entryIndex)
            ->setHtml(
                QStringLiteral("<p style=\"color:#008000;\">%1</p>").arg(tr(entry.example).toHtmlEscaped()));
        ++entryIndex;
    }
    helpdialogCancel->setText(tr("OK"));
}
