// One-shot timers: a callback after a delay. The timer service runs them on its own thread; tests
// run them on a virtual clock.
#pragma once

#include <functional>

namespace shinofu::platform {

class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual void after(double milliseconds, std::function<void()> callback) = 0;
    // Milliseconds since the scheduler began: deadlines can be set on it without drift.
    virtual double now() const = 0;
};

}  // namespace shinofu::platform
