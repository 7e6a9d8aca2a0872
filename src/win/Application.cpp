#include "win/Application.h"

#include <windows.h>

#include "win/Form.h"
#include "win/WideText.h"

namespace win {

namespace {

struct State {
    std::string title;
    std::string helpFile;
    Form* mainForm = nullptr;
    bool terminated = false;
    HCURSOR cursorOverride = nullptr;
    int hintPause = 500;
    int hintHidePause = 2500;
    std::function<void(const std::exception&)> presenter;
    std::function<void(HWND, const HELPINFO&)> helpHandler;
};

State& state() {
    static State s;
    return s;
}

// Tab, Enter, Escape and Alt+letter of a form that wants them go to the dialog manager.
// F1 asks for help on the control that has the focus. Handled here, the same on every system,
// rather than left to whichever part of the platform happens to turn the key into WM_HELP.
bool translateHelpKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_F1) return false;
    HWND focus = message.hwnd;
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(focus);
    info.hItemHandle = focus;
    GetCursorPos(&info.MousePos);
    SendMessageA(focus, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

// The system's own answer to F1: it posts this after the key, and the default handling turns
// it into a second help request for the same control. Not a documented name in every header.
constexpr UINT kSystemF1Message = 0x004D;  // WM_KEYF1

bool translateDialogKeys(MSG& message) {
    // F1 was answered at its key press; a second answer would show a pop-up, or an error about
    // the help file, twice.
    if (message.message == kSystemF1Message) return true;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    if (translateHelpKey(message)) return true;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    auto* form = dynamic_cast<Form*>(Window::fromHandle(root));
    return form && form->handlesDialogKeys() && IsDialogMessageA(root, &message);
}

}  // namespace

const std::string& Application::title() { return state().title; }
void Application::setTitle(std::string title) { state().title = std::move(title); }
Form* Application::mainForm() { return state().mainForm; }
void Application::setMainForm(Form* form) { state().mainForm = form; }
const std::string& Application::helpFile() { return state().helpFile; }
void Application::setHelpFile(std::string path) { state().helpFile = std::move(path); }

void Application::setHelpRequestHandler(std::function<void(HWND, const HELPINFO&)> handler) {
    state().helpHandler = std::move(handler);
}

void Application::requestHelp(HWND form, const HELPINFO& request) {
    if (state().helpHandler) state().helpHandler(form, request);
}

void Application::setCursorOverride(HCURSOR cursor) {
    state().cursorOverride = cursor;
    // Shown at once: the pointer may not move again before the next WM_SETCURSOR.
    if (cursor) SetCursor(cursor);
}

HCURSOR Application::cursorOverride() { return state().cursorOverride; }

void Application::setHintTiming(int pauseMs, int hidePauseMs) {
    state().hintPause = pauseMs;
    state().hintHidePause = hidePauseMs;
}
int Application::hintPause() { return state().hintPause; }
int Application::hintHidePause() { return state().hintHidePause; }

bool Application::handleNextMessage() {
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
        state().terminated = true;
        return false;
    }
    if (!translateDialogKeys(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

int Application::run() {
    while (!state().terminated && handleNextMessage()) {
    }
    state().terminated = true;
    return 0;
}

void Application::processMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            state().terminated = true;
            return;
        }
        if (translateDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Application::terminate() {
    state().terminated = true;
    PostQuitMessage(0);
}

bool Application::terminated() { return state().terminated; }

void Application::setExceptionPresenter(std::function<void(const std::exception&)> presenter) {
    state().presenter = std::move(presenter);
}

void Application::resumeAfterTermination() {
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    state().terminated = false;
}

void Application::showException(const std::exception& error) {
    if (state().presenter) {
        state().presenter(error);
        return;
    }
    HWND owner = GetActiveWindow();
    MessageBoxA(owner, error.what(), title().c_str(), MB_OK | MB_ICONERROR);
}

std::string Application::exePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string Application::exeDirectory() {
    std::string path = exePath();
    path.resize(path.find_last_of("\\/:") + 1);
    return path;
}

}  // namespace win
