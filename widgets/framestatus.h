#pragma once

#include <QString>

class QStatusBar;

// Status texts that follow a data stream ("Successfully read 12 byte data"), shown at
// most 20 times a second: QStatusBar repaints at once for every new text, and a stream of
// chunks of varying size made that repaint the main cost of reading. The newest text
// shows, at the latest one such interval later, unless another text is shown meanwhile.
namespace FrameStatus {

void show(QStatusBar* bar, const QString& text);

} // namespace FrameStatus
