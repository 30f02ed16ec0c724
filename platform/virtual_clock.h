// A scheduler on a clock that moves only when asked: for rendering a performance faster than
// real time, and for tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/scheduler.h"

namespace shinofu::platform {

class VirtualClock : public Scheduler {
public:
    void after(double milliseconds, std::function<void()> callback) override {
        queue_.emplace(std::pair{now_ + std::max(0.0, milliseconds), order_++}, std::move(callback));
    }
    // Runs every callback due up to `time` in deadline order; `beforeEach` sees each deadline first.
    void runUntil(double time, const std::function<void(double due)>& beforeEach = {}) {
        while (!queue_.empty() && queue_.begin()->first.first <= time) {
            auto node = queue_.extract(queue_.begin());
            if (beforeEach) beforeEach(node.key().first);
            now_ = node.key().first;
            node.mapped()();
        }
        now_ = std::max(now_, time);
    }
    bool idle() const { return queue_.empty(); }
    double now() const override { return now_; }

private:
    double now_ = 0;
    uint64_t order_ = 0;
    std::map<std::pair<double, uint64_t>, std::function<void()>> queue_;
};

}  // namespace shinofu::platform
