#pragma once
// The engine pumps the GUI's pending messages once per line, token or hit so
// that gauges and timers keep running. The GUI installs the real pump; without
// one the call is a test of a flag.

#include <functional>

using TMessagePump = std::function<void()>;

// Installs the pump (an empty function removes it). It runs at most once per
// interval, however often ProcessMessages is called.
void SetMessagePump(TMessagePump pump, int intervalMs = 20);

void ProcessMessagesSlow();

namespace message_pump_detail {
inline unsigned calls = 0;
inline bool installed = false;
}  // namespace message_pump_detail

inline void ProcessMessages() {
    // A clock read on every call would cost more than the engine's work per
    // token, so only every 16th call looks at the clock.
    using namespace message_pump_detail;
    if (installed && (++calls & 15u) == 0) ProcessMessagesSlow();
}
