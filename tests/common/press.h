#pragma once

#include <QAbstractButton>
#include <QTest>

// Presses and releases a button with the mouse, as a user does (tools act on pressed()).
inline void press(QAbstractButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}
