#pragma once
// One timer service behind TTimer and the window timers. It runs on the real
// clock through the event loop, or on a manual clock that tests move forward.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/gui/Controls.h"

class TTimerService {
public:
    static TTimerService& Instance();

    // Calls callback every intervalMs (at least 1) until stopped; returns the timer's id.
    int Start(int intervalMs, std::function<void()> callback);
    void Stop(int id);
    bool Running(int id) const { return FTimers.count(id) != 0; }

    // With the manual clock, timers fire only inside Advance, in the order they fall due.
    void UseManualClock(bool manual);
    bool ManualClock() const { return FManual; }
    void Advance(int ms);
    int64_t Now() const;

private:
    TTimerService();
    void Schedule();
    void FireDue(int64_t until);

    struct Timer {
        int interval;
        int64_t due;
        std::shared_ptr<std::function<void()>> callback;
    };
    std::map<int, Timer> FTimers;
    int FNextId = 1;
    bool FManual = false;
    int64_t FManualNow = 0;
    struct Driver;
    std::unique_ptr<Driver> FDriver;
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return FInterval; }
    void SetInterval(int interval);

    TNotifyEvent OnTimer;

private:
    void Restart();

    bool FEnabled = true;
    int FInterval = 1000;
    int FId = 0;
};
