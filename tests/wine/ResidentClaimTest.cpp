#include <gtest/gtest.h>

#include <thread>

#include "app/ResidentClaim.h"
#include "win/UniqueHandle.h"

namespace vps {
namespace {

// The session's claim, held by another thread as another copy of the program would hold it.
win::Handle openClaim() {
    return win::Handle(CreateMutexA(nullptr, FALSE, residentClaimName().c_str()));
}

TEST(ResidentClaim, AClaimLeftByAStartThatDiedPassesToTheNextStart) {
    // Open here, so the mutex outlives the thread that dies holding it.
    win::Handle kept = openClaim();
    ASSERT_TRUE(kept);
    std::thread([] {
        const win::Handle claim = openClaim();
        ASSERT_EQ(WaitForSingleObject(claim.get(), 0), WAIT_OBJECT_0);
    }).join();

    const ResidentClaim claim = ResidentClaim::decide();
    EXPECT_TRUE(claim.granted());
    // Granted means kept and held: another start, once this test's own handle is gone, finds
    // it taken.
    kept.reset();
    std::thread([] {
        const win::Handle other = openClaim();
        EXPECT_EQ(WaitForSingleObject(other.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }).join();
}

TEST(ResidentClaim, AStartGivesWayWhenTheHolderMakesNoWindowInTime) {
    const win::Handle taken(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const win::Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        const win::Handle claim = openClaim();
        WaitForSingleObject(claim.get(), INFINITE);
        SetEvent(taken.get());
        WaitForSingleObject(done.get(), INFINITE);
        ReleaseMutex(claim.get());
    });
    ASSERT_EQ(WaitForSingleObject(taken.get(), 10000), WAIT_OBJECT_0);

    const DWORD start = GetTickCount();
    const bool granted = ResidentClaim::decide().granted();
    const DWORD waited = GetTickCount() - start;
    SetEvent(done.get());
    holder.join();
    EXPECT_FALSE(granted);
    // A few seconds for the holder's window, and no more.
    EXPECT_GE(waited, 4000u);
    EXPECT_LT(waited, 10000u);
}

}  // namespace
}  // namespace vps
