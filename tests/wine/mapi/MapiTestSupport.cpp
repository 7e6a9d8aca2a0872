#include "MapiTestSupport.h"

#include <cstdio>
#include <fstream>

namespace vps::test {

namespace {

const char* const kResultVariables[] = {"VPS_STANDIN_MAPI_LOGON", "VPS_STANDIN_MAPI_RESOLVE",
                                        "VPS_STANDIN_MAPI_SEND", "VPS_STANDIN_MAPI_LOGOFF"};

std::string temporaryPath() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

std::string hexText(ULONG_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

StandInMapi::StandInMapi()
    : logPath_(temporaryPath() + "vps-standin-mapi-" + std::to_string(GetCurrentProcessId()) +
               ".log") {
    DeleteFileA(logPath_.c_str());
    SetEnvironmentVariableA("VPS_STANDIN_MAPI_LOG", logPath_.c_str());
    for (const char* variable : kResultVariables) SetEnvironmentVariableA(variable, nullptr);
}

StandInMapi::~StandInMapi() {
    SetEnvironmentVariableA("VPS_STANDIN_MAPI_LOG", nullptr);
    for (const char* variable : kResultVariables) SetEnvironmentVariableA(variable, nullptr);
    DeleteFileA(logPath_.c_str());
}

void StandInMapi::answer(Call call, ULONG result) {
    SetEnvironmentVariableA(kResultVariables[static_cast<int>(call)],
                            std::to_string(result).c_str());
}

std::vector<std::string> StandInMapi::log() const {
    std::vector<std::string> lines;
    std::ifstream file(logPath_, std::ios::binary);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> StandInMapi::calls() const {
    std::vector<std::string> calls;
    for (const std::string& line : log()) {
        if (line.empty() || line[0] == ' ') continue;
        std::string call = line.substr(0, line.find(' '));
        if (call == "MAPISendMail") {
            const auto flags = line.find(" flags=");
            call += line.substr(flags, line.find(' ', flags + 1) - flags);
        }
        call += line.substr(line.rfind(" -> "));
        calls.push_back(call);
    }
    return calls;
}

namespace {
MessageBoxes* activeBoxes = nullptr;
}

MessageBoxes::MessageBoxes(std::string button)
    : button_(std::move(button)), timer_(SetTimer(nullptr, 0, 30, check)) {
    activeBoxes = this;
}

MessageBoxes::~MessageBoxes() {
    KillTimer(nullptr, timer_);
    activeBoxes = nullptr;
}

void CALLBACK MessageBoxes::check(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("TMessageForm", nullptr);
    if (!activeBoxes || !box || !IsWindowVisible(box) || GetPropA(box, "vpsAnswered")) return;
    SetPropA(box, "vpsAnswered", box);
    // The first static is the icon; the text is the next one.
    HWND message =
        FindWindowExA(box, FindWindowExA(box, nullptr, "STATIC", nullptr), "STATIC", nullptr);
    activeBoxes->shown_.push_back({windowText(box), windowText(message)});
    HWND button = FindWindowExA(box, nullptr, "BUTTON", activeBoxes->button_.c_str());
    PostMessageA(button ? button : box, button ? BM_CLICK : WM_CLOSE, 0, 0);
}

TemporaryFolder::TemporaryFolder() {
    static int serial = 0;
    path_ = temporaryPath() + "vps-mapi-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path_ + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(full.c_str());
            } else {
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

std::string TemporaryFolder::createFile(const std::string& name) const {
    const std::string full = path_ + "\\" + name;
    std::ofstream(full, std::ios::binary) << "\xFF\xD8 not really a picture";
    return full;
}

OwnerWindow::OwnerWindow()
    : handle_(CreateWindowExA(0, "STATIC", "Mail owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr)) {}

OwnerWindow::~OwnerWindow() {
    DestroyWindow(handle_);
}

std::string OwnerWindow::logged() const {
    return hexText(reinterpret_cast<ULONG_PTR>(handle_));
}

CurrentDirectory::CurrentDirectory(const std::string& path) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
}

namespace logged {

namespace {
std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
}  // namespace

std::string logon(const std::string& profile, const std::string& password, ULONG result) {
    return "MAPILogon ui=0x0 profile=" + quoted(profile) + " password=" + quoted(password) +
           " flags=0x2 reserved=0 -> " + std::to_string(result);
}

std::string resolveName(const std::string& name, ULONG result) {
    return std::string("MAPIResolveName session=") + StandInMapi::kSession +
           " ui=0x0 name=" + quoted(name) + " flags=0x1 reserved=0 -> " + std::to_string(result);
}

std::string sendMail(const std::string& ui, const char* flags, ULONG result) {
    return std::string("MAPISendMail session=") + StandInMapi::kSession + " ui=" + ui +
           " flags=" + flags + " reserved=0 -> " + std::to_string(result);
}

std::string message(const std::string& subject, const std::string& recipients,
                    const std::string& files) {
    return " message reserved=0 subject=" + quoted(subject) +
           " type=null date=null conversation=null flags=0x0 originator=null recipients=" +
           recipients + " files=" + files;
}

std::string note(const std::string& text) {
    return " note " + quoted(text);
}

std::string file(const std::string& path, const std::string& name) {
    return " file reserved=0 flags=0x0 position=0xFFFFFFFF path=" + quoted(path) +
           " name=" + quoted(name) + " type=null";
}

std::string logoff() {
    return std::string("MAPILogoff session=") + StandInMapi::kSession +
           " ui=0x0 flags=0x0 reserved=0 -> 0";
}

}  // namespace logged

}  // namespace vps::test
