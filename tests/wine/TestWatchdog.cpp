#include "TestWatchdog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

TestWatchdog::TestWatchdog(std::chrono::seconds limit) : limit_(limit), watcher_([this] { watch(); }) {}

TestWatchdog::~TestWatchdog() {
    {
        std::lock_guard guard(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    watcher_.join();
}

void TestWatchdog::OnTestStart(const testing::TestInfo& test) {
    {
        std::lock_guard guard(lock_);
        running_ = std::string(test.test_suite_name()) + "." + test.name();
        ++generation_;
    }
    changed_.notify_all();
}

void TestWatchdog::OnTestEnd(const testing::TestInfo&) {
    {
        std::lock_guard guard(lock_);
        running_.clear();
        ++generation_;
    }
    changed_.notify_all();
}

std::chrono::seconds TestWatchdog::limitFromEnvironment(std::chrono::seconds fallback) {
    const char* text = std::getenv("VPS_TEST_TIMEOUT_SECONDS");
    const long seconds = text ? std::strtol(text, nullptr, 10) : 0;
    return seconds > 0 ? std::chrono::seconds(seconds) : fallback;
}

void TestWatchdog::watch() {
    std::unique_lock guard(lock_);
    while (!ending_) {
        if (running_.empty()) {
            changed_.wait(guard);
            continue;
        }
        const unsigned long long watched = generation_;
        const bool moved = changed_.wait_for(guard, limit_, [&] { return ending_ || generation_ != watched; });
        if (moved) continue;
        // Written the way GoogleTest writes a failure, so the run's tally counts it.
        std::printf("\n[  TIMEOUT ] %s ran longer than %lld s; ending the test process.\n"
                    "[  FAILED  ] %s\n",
                    running_.c_str(), static_cast<long long>(limit_.count()), running_.c_str());
        std::fflush(stdout);
        // Nothing else can run safely any more: a deadlocked test holds the user-interface thread.
        TerminateProcess(GetCurrentProcess(), 3);
    }
}
