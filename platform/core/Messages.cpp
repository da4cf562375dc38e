#include "platform/core/Messages.h"

#include <chrono>
#include <cstdio>

namespace {

TMessagePump& pump() {
    static TMessagePump p;
    return p;
}

std::chrono::steady_clock::duration gInterval = std::chrono::milliseconds(20);
std::chrono::steady_clock::time_point gLastPump;

}  // namespace

void SetMessagePump(TMessagePump p, int intervalMs) {
    pump() = std::move(p);
    message_pump_detail::installed = static_cast<bool>(pump());
    gInterval = std::chrono::milliseconds(intervalMs);
    gLastPump = {};
}

const TMessagePump& MessagePump() { return pump(); }

void ProcessMessagesSlow() {
    auto now = std::chrono::steady_clock::now();
    if (now - gLastPump < gInterval) return;
    gLastPump = now;
    if (pump()) pump()();
}

namespace {

TMessageSink& sink() {
    static TMessageSink s;
    return s;
}

}  // namespace

void SetMessageSink(TMessageSink s) { sink() = std::move(s); }

void ShowPlainMessage(const std::string& text) {
    if (sink())
        sink()(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}
