// The timer service: one thread and a queue of deadlines on the steady clock, so a performance
// needs no sleep per event and every callback runs in deadline order.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

#include "platform/scheduler.h"

namespace shinofu::platform {

class TimerService : public Scheduler {
public:
    TimerService();
    ~TimerService() override;  // drops what is still waiting and joins the thread
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    void after(double milliseconds, std::function<void()> callback) override;
    double now() const override;

private:
    struct Deadline {
        std::chrono::steady_clock::time_point due;
        uint64_t order;  // equal deadlines run in the order they were set
        std::function<void()> callback;
        bool operator>(const Deadline& other) const { return due != other.due ? due > other.due : order > other.order; }
    };
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::priority_queue<Deadline, std::vector<Deadline>, std::greater<>> queue_;
    uint64_t nextOrder_ = 0;
    bool stopping_ = false;
    const std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
    std::thread thread_;
};

}  // namespace shinofu::platform
