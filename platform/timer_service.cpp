#include "platform/timer_service.h"

namespace shinofu::platform {

TimerService::TimerService() : thread_([this] { run(); }) {}

TimerService::~TimerService() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TimerService::after(double milliseconds, std::function<void()> callback) {
    const auto due = std::chrono::steady_clock::now() +
                     std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double, std::milli>(std::max(0.0, milliseconds)));
    {
        std::lock_guard lock(mutex_);
        queue_.push({due, nextOrder_++, std::move(callback)});
    }
    wake_.notify_all();
}

double TimerService::now() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - epoch_).count();
}

void TimerService::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (queue_.empty()) {
            wake_.wait(lock);
            continue;
        }
        const auto due = queue_.top().due;
        if (std::chrono::steady_clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        std::function<void()> callback = queue_.top().callback;
        queue_.pop();
        // Callbacks may set new deadlines: the queue is free while they run.
        lock.unlock();
        callback();
        lock.lock();
    }
}

}  // namespace shinofu::platform
