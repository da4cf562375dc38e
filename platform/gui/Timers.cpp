#include "platform/gui/Timers.h"

#include "platform/gui/Forms.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

struct TTimerService::Driver {
    QElapsedTimer clock;
    QTimer wake;
};

TTimerService& TTimerService::Instance() {
    static TTimerService service;
    return service;
}

TTimerService::TTimerService() : FDriver(std::make_unique<Driver>()) {
    FDriver->clock.start();
    FDriver->wake.setSingleShot(true);
    QObject::connect(&FDriver->wake, &QTimer::timeout, [this] {
        FireDue(Now());
        Schedule();
    });
}

int64_t TTimerService::Now() const { return FManual ? FManualNow : FDriver->clock.elapsed(); }

int TTimerService::Start(int intervalMs, std::function<void()> callback) {
    int id = FNextId++;
    int interval = std::max(intervalMs, 1);
    FTimers[id] = {interval, Now() + interval, std::make_shared<std::function<void()>>(std::move(callback))};
    Schedule();
    return id;
}

void TTimerService::Stop(int id) {
    FTimers.erase(id);
    Schedule();
}

void TTimerService::UseManualClock(bool manual) {
    if (manual == FManual) return;
    int64_t before = Now();
    FManual = manual;
    if (manual) FManualNow = before;
    // Timers keep their remaining time across the switch.
    int64_t shift = Now() - before;
    for (auto& [id, t] : FTimers) t.due += shift;
    Schedule();
}

void TTimerService::Advance(int ms) {
    if (!FManual) return;
    int64_t until = FManualNow + std::max(ms, 0);
    FireDue(until);
    FManualNow = until;
}

void TTimerService::FireDue(int64_t until) {
    while (true) {
        auto next = std::min_element(FTimers.begin(), FTimers.end(),
                                     [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == FTimers.end() || next->second.due > until) return;
        if (FManual) FManualNow = next->second.due;
        next->second.due += next->second.interval;
        // The callback may stop or start timers, this one included.
        auto callback = next->second.callback;
        try {
            GuardedCall(*callback);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
}

void TTimerService::Schedule() {
    if (FManual || FTimers.empty()) {
        FDriver->wake.stop();
        return;
    }
    int64_t due = FTimers.begin()->second.due;
    for (const auto& [id, t] : FTimers) due = std::min(due, t.due);
    FDriver->wake.start(static_cast<int>(std::max<int64_t>(due - Now(), 0)));
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Restart(); }

TTimer::~TTimer() {
    if (FId) TTimerService::Instance().Stop(FId);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Restart();
}

void TTimer::SetInterval(int interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    Restart();
}

void TTimer::Restart() {
    auto& service = TTimerService::Instance();
    if (FId) service.Stop(FId);
    FId = 0;
    if (FEnabled && FInterval > 0)
        FId = service.Start(FInterval, [this] {
            if (OnTimer) OnTimer(this);
        });
}
