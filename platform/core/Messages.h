#pragma once
// The engine pumps the GUI's pending messages once per line, token or hit so
// that gauges and timers keep running. The GUI installs the real pump; without
// one the call is a test of a flag.

#include <functional>
#include <string>

using TMessagePump = std::function<void()>;

// Installs the pump (an empty function removes it). It runs at most once per
// interval, however often ProcessMessages is called.
void SetMessagePump(TMessagePump pump, int intervalMs = 20);
// The pump installed, so that a caller may wrap it and put it back.
const TMessagePump& MessagePump();

void ProcessMessagesSlow();

namespace message_pump_detail {
inline unsigned calls = 0;
inline bool installed = false;
// Set in the engine's worker threads: only the thread of the window pumps.
inline thread_local bool worker = false;
}  // namespace message_pump_detail

inline void ProcessMessages() {
    // A clock read on every call would cost more than the engine's work per
    // token, so only every 16th call looks at the clock.
    using namespace message_pump_detail;
    if (installed && !worker && (++calls & 15u) == 0) ProcessMessagesSlow();
}

// The framework's plain message box, for engine routines that tell the user
// something (the GUI installs the real box; without one the text goes to stderr).
using TMessageSink = std::function<void(const std::string&)>;
void SetMessageSink(TMessageSink sink);
void ShowPlainMessage(const std::string& text);
