#pragma once

#include <QtGlobal>

// A TCP or UDP port on 127.0.0.1 that was free a moment ago (above 1024).
quint16 freeTcpPort();
quint16 freeUdpPort();
