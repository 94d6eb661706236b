#pragma once

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QTest>

// What a user gets out of a receive view after Select All: through Ctrl+C, then through the
// context menu's Copy. Header-only.
inline QStringList copiedAfterSelectAll(QPlainTextEdit* view)
{
    QStringList copies;
    view->selectAll();
    QTest::keySequence(view, QKeySequence::Copy);
    copies << QApplication::clipboard()->text();
    QApplication::clipboard()->clear();
    const QPoint at(5, 5);
    QContextMenuEvent menuAt(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &menuAt);
    if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }))
        return copies << QStringLiteral("no context menu");
    QWidget* menu = QApplication::activePopupWidget();
    if (auto* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy")))
        copy->trigger();
    menu->close();
    return copies << QApplication::clipboard()->text();
}
