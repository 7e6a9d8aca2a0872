#include "TestSupport.h"

#include "win/Application.h"

namespace vps::test {

namespace {

struct PendingAnswer {
    std::string className;
    std::string caption;
    std::function<void(HWND)> answer;
    UINT_PTR timer = 0;
};

PendingAnswer pending;

void CALLBACK checkForWindow(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowA(pending.className.c_str(), pending.caption.c_str());
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, pending.timer);
    auto answer = std::move(pending.answer);
    pending = {};
    answer(window);
}

}  // namespace

void pumpMessagesFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        win::Application::processMessages();
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

void whenWindowAppears(const char* className, const char* caption, std::function<void(HWND)> answer) {
    pending = {className, caption, std::move(answer), 0};
    pending.timer = SetTimer(nullptr, 0, 50, checkForWindow);
}

struct CaptionSearch {
    const std::string* caption;
    HWND found = nullptr;
};

BOOL CALLBACK matchCaption(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<CaptionSearch*>(context);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(child)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(child, text.data(), static_cast<int>(text.size()))));
    if (*search->caption != text) return TRUE;
    search->found = child;
    return FALSE;
}

HWND findChildByCaption(HWND dialog, const std::string& caption) {
    CaptionSearch search{&caption};
    EnumChildWindows(dialog, matchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RecordedErrors::RecordedErrors() {
    win::Application::setExceptionPresenter(
        [this](const std::exception& error) { messages_.emplace_back(error.what()); });
}

RecordedErrors::~RecordedErrors() { win::Application::setExceptionPresenter(nullptr); }

}  // namespace vps::test
