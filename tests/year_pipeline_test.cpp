// Years worked out ahead on several threads and written in order: the order,
// the values and Stop are those of a plain loop over the years.
#include "reports/year_pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// A year's "work": its square, after a pause that varies from year to year so
// that the workers finish out of order.
long long slow_square(int year) {
    std::this_thread::sleep_for(std::chrono::microseconds((year * 7919) % 300));
    return static_cast<long long>(year) * year;
}

TEST(YearPipeline, WritesEveryYearOnceInOrderWithItsOwnWork) {
    for (bool parallel : {false, true}) {
        std::vector<int> written;
        int result = for_each_year(1500, 1699, parallel, slow_square, [&](int year, long long square) {
            EXPECT_EQ(square, static_cast<long long>(year) * year);
            written.push_back(year);
            return 0;
        });
        EXPECT_EQ(result, 0);
        ASSERT_EQ(written.size(), 200u) << "parallel " << parallel;
        for (int i = 0; i < 200; ++i) EXPECT_EQ(written[i], 1500 + i);
    }
}

TEST(YearPipeline, StopReturnsTheWritersValueAndWritesNothingMore) {
    for (bool parallel : {false, true}) {
        std::vector<int> written;
        int result = for_each_year(1, 1000, parallel, slow_square, [&](int year, long long) {
            written.push_back(year);
            return year == 11 ? 7 : 0;
        });
        EXPECT_EQ(result, 7);
        ASSERT_EQ(written.size(), 11u) << "parallel " << parallel;
        EXPECT_EQ(written.back(), 11);
    }
}

TEST(YearPipeline, ThePlainLoopComputesOnTheCallingThreadAndTheOtherOnWorkers) {
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> on_caller{0}, elsewhere{0};
    auto where = [&](int year) {
        (std::this_thread::get_id() == caller ? on_caller : elsewhere)++;
        return year;
    };
    auto nothing = [](int, int) { return 0; };
    for_each_year(2000, 2099, false, where, nothing);
    EXPECT_EQ(on_caller, 100);
    EXPECT_EQ(elsewhere, 0);
    // Two years or fewer, or a single core: the plain loop too.
    for_each_year(2000, 2001, true, where, nothing);
    EXPECT_EQ(on_caller, 102);
    if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one core: no workers";
    for_each_year(2000, 2099, true, where, nothing);
    EXPECT_EQ(on_caller, 102);
    EXPECT_EQ(elsewhere, 100);
}

}  // namespace
