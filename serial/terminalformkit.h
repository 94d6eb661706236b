#pragma once

#include <QFrame>
#include <QIcon>
#include <QLCDNumber>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "app/formkit.h"

// Widget makers shared by the three terminal page forms.
namespace TerminalFormKit {

using FormKit::make;

// A byte counter: five flat digits in a styled panel, showing 0.
inline QLCDNumber* makeCounter(QWidget* parent, const char* name)
{
    auto* lcd = make<QLCDNumber>(parent, name);
    lcd->setFrameShape(QFrame::StyledPanel);
    lcd->setSegmentStyle(QLCDNumber::Flat);
    lcd->setDigitCount(5);
    lcd->display(0);
    return lcd;
}

// The Send button: send icon, 23 pixels high, at most 100 wide, not auto-default.
inline QPushButton* makeSendButton(QWidget* parent, const char* name)
{
    auto* button = make<QPushButton>(parent, name);
    button->setIcon(QIcon(QStringLiteral(":/images/send.png")));
    button->setFixedHeight(23);
    button->setMaximumWidth(100);
    button->setAutoDefault(false);
    return button;
}

} // namespace TerminalFormKit
