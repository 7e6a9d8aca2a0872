#include "app/TestAids.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "core/TextUtil.h"

namespace vps::testaids {

bool requested(std::string_view option) {
    for (int i = 1; i < __argc; ++i) {
        if (equalsIgnoringAsciiCase(__argv[i], option)) return true;
    }
    return false;
}

void failStartUpOnRequest() {
    if (requested(kStartFailure)) {
        throw std::runtime_error("Start-up failed on request (test aid /STARTFAILTEST).");
    }
}

void failCaptureOnRequest() {
    if (requested(kCaptureFailure)) {
        throw std::runtime_error("The screen could not be captured (test aid /CAPTUREFAILTEST).");
    }
}

void slowStartUpOnRequest() {
    constexpr DWORD kSlowStartMs = 2000;
    if (requested(kSlowStart)) Sleep(kSlowStartMs);
}

}  // namespace vps::testaids
