#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Ends the test process when one test runs longer than a limit, after naming that test. A test
// that deadlocks (a worker thread and the user-interface thread waiting on each other) would
// otherwise hang the whole run until an outer time-out, name nothing and lose every later result.
class TestWatchdog : public testing::EmptyTestEventListener {
public:
    explicit TestWatchdog(std::chrono::seconds limit);
    ~TestWatchdog() override;

    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

    // The limit from VPS_TEST_TIMEOUT_SECONDS, else `fallback`.
    static std::chrono::seconds limitFromEnvironment(std::chrono::seconds fallback);

private:
    void watch();

    const std::chrono::seconds limit_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::string running_;  // empty between tests
    unsigned long long generation_ = 0;
    bool ending_ = false;
    std::thread watcher_;
};
