#pragma once

#include <QtGlobal>

// A TCP or UDP port that was free a moment ago on every address, picked outside the range the
// system hands out on its own, so that no port-0 bind or outgoing connection takes it meanwhile.
quint16 freeTcpPort();
quint16 freeUdpPort();
