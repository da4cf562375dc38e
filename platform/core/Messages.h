#pragma once
// The engine pumps the GUI's pending messages once per line, token or hit so
// that gauges and timers keep running. The GUI installs the real pump; without
// one the call is a counter increment.

#include <functional>

using TMessagePump = std::function<void()>;

// Installs the pump (an empty function removes it). It runs at most once per
// interval, however often ProcessMessages is called.
void SetMessagePump(TMessagePump pump, int intervalMs = 20);

void ProcessMessagesSlow();

inline void ProcessMessages() {
    // A clock read on every call would cost more than the engine's work per
    // token, so only every 256th call looks at the clock.
    extern thread_local unsigned gPumpCalls;
    extern bool gPumpInstalled;
    if (gPumpInstalled && (++gPumpCalls & 255u) == 0) ProcessMessagesSlow();
}
