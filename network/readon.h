#ifndef READON_H
#define READON_H

#include <functional>

class QObject;

// A socket read in passes (so timers and input get their turn under a flood) reads on
// through one follow-up at a time: a readyRead that comes while one waits leaves the
// reading to it, so read runs never pile up.
namespace ReadOn {
// True while a follow-up for this socket waits.
bool pending(const QObject* socket);
// Runs next once the event loop has had its turn, unless a follow-up already waits.
void schedule(QObject* socket, std::function<void()> next);
} // namespace ReadOn

#endif // READON_H
