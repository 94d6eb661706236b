#pragma once

#include <functional>

class QObject;
class QTabWidget;
class QWidget;

// Runs `create` once, when `page` first becomes the current page of `tabs` (at once when it
// already is). Web views and OpenGL views make Qt compose the whole window through OpenGL on
// every repaint from the moment they join it, so they join only when their page is first
// looked at.
void onFirstCurrent(QTabWidget* tabs, QWidget* page, QObject* context, std::function<void()> create);
