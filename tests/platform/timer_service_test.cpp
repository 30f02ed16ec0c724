#include "platform/timer_service.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

using shinofu::platform::TimerService;

TEST(TimerService, CallbacksRunInDeadlineOrderAndMaySetNewOnes) {
    std::mutex mutex;
    std::vector<int> order;
    std::atomic<bool> done{false};
    {
        TimerService timers;
        auto record = [&](int value) {
            std::lock_guard lock(mutex);
            order.push_back(value);
        };
        // Deadlines far apart: a loaded machine may run the first callback late, and the one it sets
        // must still come before 3 and 4.
        timers.after(300, [&] { record(3); });
        timers.after(10, [&] {
            record(1);
            timers.after(5, [&] { record(2); });  // set from the timer thread itself
        });
        timers.after(300, [&] { record(4); });  // an equal deadline keeps its order
        timers.after(400, [&] {
            record(5);
            done = true;
        });
        // Bounded far beyond the 400 ms an idle machine needs.
        for (int i = 0; i < 6000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(TimerService, DestroyingDropsWhatStillWaits) {
    std::atomic<int> ran{0};
    {
        TimerService timers;
        timers.after(60000, [&] { ++ran; });
    }
    EXPECT_EQ(ran, 0);  // and the destructor returned at once
}
