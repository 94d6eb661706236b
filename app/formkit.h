#pragma once

#include <QBoxLayout>
#include <QGridLayout>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Small helpers shared by the page forms of the main window.
namespace FormKit {

// A page: a parentless widget with a named top-level grid layout.
QWidget* makePage(const char* pageName, QGridLayout*& grid, const char* gridName);

// A widget of type W with its object name.
template <typename W> W* make(QWidget* parent, const char* name)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The same, appended to a box layout.
template <typename W> W* addTo(QWidget* parent, QBoxLayout* layout, const char* name)
{
    W* widget = make<W>(parent, name);
    layout->addWidget(widget);
    return widget;
}

// The same, placed in a grid cell spanning one row and `columnSpan` columns.
template <typename W>
W* addToGrid(QWidget* parent, QGridLayout* grid, const char* name, int row, int column, int columnSpan = 1)
{
    W* widget = make<W>(parent, name);
    grid->addWidget(widget, row, column, 1, columnSpan);
    return widget;
}

// A named grid layout inside a group box; with formMargins, spacing 6 and margins 11.
QGridLayout* groupGrid(QGroupBox* box, const char* name, bool formMargins = false);

// Sets a combo box's items by index (adding missing entries), as a form retranslation does.
void setItems(QComboBox* box, const QStringList& texts);

// The eighteen baud rates offered by every serial page; index 8 is "115200", 2 is "9600".
QStringList baudRates();
// The shorter list of most device consoles (GPS, GSM, sensor boards).
QStringList consoleBaudRates();

// Port list, baud list and Open button of a serial page, stacked in a grid from `row`.
struct PortControls
{
    QLabel* portLabel = nullptr;
    QComboBox* portList = nullptr;
    QLabel* baudLabel = nullptr;
    QComboBox* baudList = nullptr;
    QPushButton* openButton = nullptr;
};
PortControls makePortControls(QWidget* parent, QGridLayout* grid, int row, const QString& prefix);
void retranslatePortControls(const PortControls& controls);

// Ends a column of settings with a growing empty row, so the spare height of a tall page
// collects below the controls instead of between each caption and its field.
void keepAtTop(QGridLayout* grid);

// Side margins of a narrow settings column whose width is a multiple of two check boxes'
// preferred widths: small enough that both check boxes keep their preferred width.
void narrowSideMargins(QGridLayout* grid);

// Translates in the main window's context, where the forms' texts live; the disambiguation
// tells apart two uses of one English text that read differently in another language.
QString tr(const char* text, const char* disambiguation = nullptr);
#if 0 // for lupdate only: it files the texts of FormKit::tr under that context
Q_DECLARE_TR_FUNCTIONS(MainWindow)
#endif

} // namespace FormKit
