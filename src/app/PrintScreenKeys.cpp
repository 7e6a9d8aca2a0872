#include "app/PrintScreenKeys.h"

namespace vps {

namespace {

constexpr UINT kModifiers[] = {0, MOD_CONTROL, MOD_ALT};

}  // namespace

PrintScreenKeys::PrintScreenKeys(HWND window) : window_(window) {
    retryRefused();
}

PrintScreenKeys::~PrintScreenKeys() {
    for (std::size_t i = 0; i < registered_.size(); ++i) {
        if (registered_[i]) UnregisterHotKey(window_, HotKeyIds[i]);
    }
}

void PrintScreenKeys::retryRefused() {
    for (std::size_t i = 0; i < registered_.size(); ++i) {
        if (!registered_[i])
            registered_[i] = RegisterHotKey(window_, HotKeyIds[i], kModifiers[i], VK_SNAPSHOT);
    }
}

std::array<bool, 3> PrintScreenKeys::refused() const {
    return {!registered_[0], !registered_[1], !registered_[2]};
}

}  // namespace vps
