#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "tests/common/press.h"

// Helpers for tests that drive the GPS tab of a whole window.
namespace GpsTabFixture {

// A radio button reacts only on its indicator and text.
inline void press(QRadioButton* radio)
{
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    const QPoint at =
        radio->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, radio).center();
    QTest::mousePress(radio, Qt::LeftButton, {}, at);
    QTest::mouseRelease(radio, Qt::LeftButton, {}, at);
}

// Runs a script on the map page and waits for its value.
inline QVariant js(MainWindow& w, const QString& script)
{
    auto done = std::make_shared<bool>(false);
    auto value = std::make_shared<QVariant>();
    w.GPS_mapView->page()->runJavaScript(script, [done, value](const QVariant& v) {
        *value = v;
        *done = true;
    });
    for (int i = 0; i < 500 && !*done; ++i)
        QTest::qWait(10);
    return *value;
}

// Waits until the page's functions exist (the page loads after the window is built).
inline bool waitForMap(MainWindow& w)
{
    for (int i = 0; i < 150; ++i) {
        if (js(w, QStringLiteral("typeof Set_Location")).toString() == QLatin1String("function") &&
            js(w, QStringLiteral("map !== null")).toBool())
            return true;
        QTest::qWait(100);
    }
    return false;
}

// The pty's slave path as the tab's port, then Open.
inline void openOn(MainWindow& w, const QString& path)
{
    if (w.ui->GPSportNameComboBox->findText(path) < 0)
        w.ui->GPSportNameComboBox->addItem(path);
    w.ui->GPSportNameComboBox->setCurrentText(path);
    press(w.ui->GPSopencompushButton);
}

// Seals a sentence body with its checksum and line end.
inline QByteArray sealed(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

} // namespace GpsTabFixture
