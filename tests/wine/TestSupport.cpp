#include "TestSupport.h"

#include <gtest/gtest.h>

#include "core/Utf8.h"
#include "win/Application.h"
#include "win/Gdi.h"
#include "win/WideText.h"
#include "win/Window.h"

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
    // Captions may be in any script: looked for with the wide call.
    HWND window =
        FindWindowW(win::wide(pending.className).c_str(), win::wide(pending.caption).c_str());
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
    if (*search->caption != win::windowText(child)) return TRUE;
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

#include <fstream>
#include <sstream>

#include "settings/uIni.h"

namespace vps::test {

std::string FreshSettingsFile::path() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + SettingsFileName();
}

FreshSettingsFile::FreshSettingsFile() {
    SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path().c_str());
}

FreshSettingsFile::~FreshSettingsFile() {
    SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path().c_str());
}

bool FreshSettingsFile::exists() { return GetFileAttributesA(path().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FreshSettingsFile::bytes() {
    std::ifstream file(path(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string FreshSettingsFile::contents() {
    const std::string raw = bytes();
    if (!raw.starts_with("\xFF\xFE")) return raw;
    std::u16string units;
    for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                       static_cast<unsigned char>(raw[i + 1]) << 8);
    }
    return utf8::fromUtf16(units);
}

void FreshSettingsFile::write(const std::string& contents) {
    std::ofstream(path(), std::ios::binary) << contents;
}

namespace {
WarningRecorder* activeRecorder = nullptr;
}

WarningRecorder::WarningRecorder() : timer_(SetTimer(nullptr, 0, 30, check)) { activeRecorder = this; }

WarningRecorder::~WarningRecorder() {
    KillTimer(nullptr, timer_);
    activeRecorder = nullptr;
}

void CALLBACK WarningRecorder::check(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("TMessageForm", "Warning");
    if (!activeRecorder || !box || !IsWindowVisible(box) || GetPropA(box, "vpsAnswered")) return;
    SetPropA(box, "vpsAnswered", box);
    HWND message = FindWindowExA(box, nullptr, "STATIC", nullptr);
    // The first static is the icon; the text is the next one.
    message = FindWindowExA(box, message, "STATIC", nullptr);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(message)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(message, text.data(), static_cast<int>(text.size()))));
    activeRecorder->texts_.push_back(text);
    if (HWND ignore = findChildByCaption(box, "&Ignore")) {
        PostMessageA(ignore, BM_CLICK, 0, 0);
    } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
    }
}

}  // namespace vps::test

namespace vps::test {

namespace {

LRESULT CALLBACK colourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT all{};
        GetClientRect(window, &all);
        win::Brush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA))));
        FillRect(reinterpret_cast<HDC>(wParam), &all, brush.get());
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

COLORREF screenPixel(POINT at) {
    win::WindowDC screen(nullptr);
    return GetPixel(screen.get(), at.x, at.y);
}

}  // namespace

ColourWindow::ColourWindow(COLORREF colour, const RECT& bounds) {
    static const ATOM registered = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = colourProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "VpsTestColourWindow";
        return RegisterClassA(&description);
    }();
    EXPECT_NE(registered, 0);
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "VpsTestColourWindow", "", WS_POPUP, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    pumpMessagesFor(200);
    // On a loaded machine the X server may show the window later than that; a capture taken
    // before it does would photograph what was there before.
    const POINT middle{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    for (int waited = 0; waited < 3000 && screenPixel(middle) != colour; waited += 20) {
        pumpMessagesFor(20);
    }
}

ColourWindow::~ColourWindow() { DestroyWindow(window_); }

}  // namespace vps::test
