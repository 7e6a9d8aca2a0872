// Which start of the program stays resident: the main window's class, and for starts close
// together a mutex per user and session.
#include "app/ResidentClaim.h"

#include <windows.h>
// After <windows.h>: the SID conversion.
#include <sddl.h>

#include <utility>
#include <vector>

#include "app/uPrintScreen.h"
#include "win/WideText.h"

namespace vps {

namespace {

// A window of this class belongs to the development environment; while it runs, every start
// makes a full copy so the program can be debugged beside the installed one.
constexpr const wchar_t* kDevelopmentEnvironmentClass = L"TAppBuilder";

// The holder of the claim makes its main window well within a second. One still without it
// after this is held up by something a wake-up could not get past (a message at its start),
// and this start gives way to it rather than stay as a second copy.
constexpr DWORD kMainWindowWaitMs = 5000;
constexpr DWORD kPollMs = 50;

bool wokeResidentCopy() {
    // FindWindowW also finds hidden windows, and the resident copy is hidden almost always.
    HWND resident = FindWindowW(L"TfmKestrelPrintScreen", nullptr);
    if (!resident) return false;
    PostMessageW(resident, WM_WAKEUP, 0, 0);
    return true;
}

std::string userSid() {
    win::Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out())) return "";
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user.data(), size, &size)) {
        return "";
    }
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text)) {
        return "";
    }
    std::string sid = win::narrow(text);
    LocalFree(text);
    return sid;
}

// An abandoned mutex is owned by the thread whose wait reported it: its holder ended without
// letting go, by a crash perhaps, and the claim is this copy's now.
bool owns(DWORD waited) {
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

}  // namespace

std::string residentClaimName() {
    // Local\ is one session's. Another user's copy may run in the same session (started as that
    // user), and a mutex of theirs would refuse this user's open: the SID keeps the two apart.
    return "Local\\Vantaro Print Screen resident copy " + userSid();
}

ResidentClaim::ResidentClaim(bool granted, win::Handle mutex, bool owned)
    : granted_(granted), mutex_(std::move(mutex)), owned_(owned) {}

ResidentClaim::~ResidentClaim() {
    if (owned_ && mutex_) ReleaseMutex(mutex_.get());
}

ResidentClaim ResidentClaim::decide() {
    if (FindWindowW(kDevelopmentEnvironmentClass, nullptr)) return {true, {}, false};
    if (wokeResidentCopy()) return {false, {}, false};
    win::Handle mutex(CreateMutexW(nullptr, FALSE, win::wide(residentClaimName()).c_str()));
    // Without the mutex the window check alone decides, as it always did.
    if (!mutex) return {true, {}, false};
    const DWORD waitStart = GetTickCount();
    DWORD timeout = 0;
    for (;;) {
        const DWORD waited = WaitForSingleObject(mutex.get(), timeout);
        if (owns(waited)) {
            // A copy that runs without the claim (beside the development environment) may have
            // made its window meanwhile.
            const bool granted = !wokeResidentCopy();
            return {granted, std::move(mutex), true};
        }
        if (waited != WAIT_TIMEOUT) return {true, {}, false};
        if (wokeResidentCopy()) return {false, {}, false};
        // Elapsed ticks, so the 49.7-day wrap does not matter.
        if (GetTickCount() - waitStart >= kMainWindowWaitMs) return {false, {}, false};
        timeout = kPollMs;
    }
}

}  // namespace vps
