#pragma once

// Waits for the given milliseconds while the event loop keeps running (timers,
// sockets, input). Sleeps in the event loop rather than polling, and measures with
// a monotonic clock. Returns at once for ms <= 0. Nested waits return in reverse order.
void waitProcessingEvents(int ms);
