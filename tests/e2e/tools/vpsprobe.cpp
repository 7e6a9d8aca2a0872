// vpsprobe: looks at the resident program's main window the way another Windows program
// would, so the end-to-end scripts can ask questions that X11 tools cannot answer (is the
// window hidden or merely unmapped? which messages does it survive?).
//
// Exit codes: 0 done, 1 condition not reached / call failed, 2 window not found, 64 usage.

#include <windows.h>
// After <windows.h>: the track bar's messages.
#include <commctrl.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int kNotFound = 2;
constexpr int kUsage = 64;
constexpr UINT kWakeUp = 1801;

const char* g_class = "TfmKestrelPrintScreen";
const char* g_title = nullptr;

HWND target() { return FindWindowA(g_title ? nullptr : g_class, g_title); }

// Accepts decimal, 0x-hex and negative numbers, since lParam values are often written either way.
bool parse_number(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 0);
    return end != text && *end == '\0';
}

// Exactly as many arguments as `out` has places, each a number.
bool parse_numbers(int argc, char** argv, std::initializer_list<long long*> out) {
    if (argc != static_cast<int>(out.size())) return false;
    return std::ranges::all_of(out, [&argv](long long* value) { return parse_number(*argv++, *value); });
}

double now_ms() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

enum class State { Visible, Hidden, Gone, Exists };

bool parse_state(const char* text, State& out) {
    static const struct {
        const char* name;
        State state;
    } names[] = {{"visible", State::Visible},
                 {"hidden", State::Hidden},
                 {"gone", State::Gone},
                 {"exists", State::Exists}};
    for (const auto& n : names) {
        if (std::strcmp(text, n.name) == 0) {
            out = n.state;
            return true;
        }
    }
    return false;
}

bool reached(State state) {
    HWND w = target();
    switch (state) {
    case State::Visible: return w && IsWindowVisible(w);
    case State::Hidden: return w && !IsWindowVisible(w);
    case State::Gone: return !w;
    case State::Exists: return w != nullptr;
    }
    return false;
}

// Polls every millisecond; the resolution matters for the benchmark, not for the tests.
bool wait_for(State state, double timeout_ms, double& elapsed_ms, double start_ms) {
    for (;;) {
        elapsed_ms = now_ms() - start_ms;
        if (reached(state)) return true;
        if (elapsed_ms > timeout_ms) return false;
        Sleep(1);
    }
}

void print_rect(const RECT& r) { std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom); }

int with_window(HWND& w) {
    w = target();
    if (!w) {
        std::fprintf(stderr, "vpsprobe: window not found\n");
        return kNotFound;
    }
    return 0;
}

BOOL CALLBACK collect_window(HWND w, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// The top-level windows, or every window below `parent`, in the order the system lists them.
std::vector<HWND> windows_below(HWND parent = nullptr) {
    std::vector<HWND> found;
    const auto out = reinterpret_cast<LPARAM>(&found);
    if (parent) EnumChildWindows(parent, collect_window, out);
    else EnumWindows(collect_window, out);
    return found;
}

std::string class_of(HWND w) {
    char cls[256] = {};
    GetClassNameA(w, cls, sizeof cls);
    return cls;
}

// Whole, however long: a message may list several lines of paths.
std::string text_of(HWND w) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    const int length = GetWindowTextA(w, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void print_window(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::printf("%p pid=%lu visible=%d class=\"%s\" title=\"%s\" rect=%ld,%ld,%ld,%ld\n",
                static_cast<void*>(w), pid, IsWindowVisible(w) ? 1 : 0, class_of(w).c_str(),
                text_of(w).c_str(), r.left, r.top, r.right, r.bottom);
}

int usage() {
    std::fprintf(stderr,
                 "usage: vpsprobe [-c CLASS | -t TITLE] COMMAND [ARGS]\n"
                 "  find | visible | rect | client | pid | close | endsession | list\n"
                 "  find-title CAPTION | child-rect TEXT | count | controls | acp\n"
                 "  idle TIMEOUT_MS | move X Y WIDTH HEIGHT\n"
                 "  texts                       (every visible window of the class: TITLE<TAB>TEXT\n"
                 "                               of each control; message boxes share one class)\n"
                 "  soak FIRST LAST FOLDER      (activations FIRST..LAST, each one wake-up, an action\n"
                 "                               and a hide: clipboard, BMP into FOLDER, selection)\n"
                 "  resources                   (the window's process: gdi= user= handles= threads=\n"
                 "                               private_kb=; -1 where the system does not say)\n"
                 "  monitors                    (each: bounds, work area, 1 if primary)\n"
                 "  post MSG WPARAM LPARAM | send MSG WPARAM LPARAM\n"
                 "  show SW_VALUE\n"
                 "  set-title LENGTH [PATTERN]  (the window's title: LENGTH characters of PATTERN,\n"
                 "                               \"Long title 0123456789 \" unless given, over and over)\n"
                 "  wait visible|hidden|gone|exists TIMEOUT_MS\n"
                 "  wake-time | show-time       (post 1801 / ShowWindow; ms until visible)\n"
                 "  start-time EXE [ARGS...]    (start a program; ms until the window is visible)\n"
                 "  drag-fps X0 Y0 X1 Y1 FRAMES (drag across the window; frames painted a second)\n");
    return kUsage;
}

// One line a monitor, as EnumDisplayMonitors lists them: "L T R B  WL WT WR WB  PRIMARY".
BOOL CALLBACK print_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& m = info.rcMonitor;
    const RECT& w = info.rcWork;
    std::printf("%ld %ld %ld %ld  %ld %ld %ld %ld  %d\n", m.left, m.top, m.right, m.bottom, w.left, w.top,
                w.right, w.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

int cmd_monitors() { return EnumDisplayMonitors(nullptr, nullptr, print_monitor, 0) ? 0 : 1; }

int cmd_message(bool post, int argc, char** argv) {
    long long msg = 0, wp = 0, lp = 0;
    if (!parse_numbers(argc, argv, {&msg, &wp, &lp})) return usage();
    HWND w;
    if (int rc = with_window(w)) return rc;
    const auto m = static_cast<UINT>(msg);
    const auto wparam = static_cast<WPARAM>(wp);
    const auto lparam = static_cast<LPARAM>(lp);
    if (post) return PostMessageA(w, m, wparam, lparam) ? 0 : 1;
    DWORD_PTR result = 0;
    // A timeout keeps a hung or modal target from hanging the test run with it.
    if (!SendMessageTimeoutA(w, m, wparam, lparam, SMTO_NORMAL, 10000, &result)) return 1;
    std::printf("%lld\n", static_cast<long long>(result));
    return 0;
}

// Windows asks every top-level window first, then tells it the session ends; a program that
// only reacts to the second message is still asked the first.
int cmd_endsession() {
    HWND w;
    if (int rc = with_window(w)) return rc;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                             &answer)) {
        std::fprintf(stderr, "vpsprobe: WM_QUERYENDSESSION not answered\n");
        return 1;
    }
    std::printf("query=%lld\n", static_cast<long long>(answer));
    DWORD_PTR ignored = 0;
    // The target may end its process while handling this; a failed send is then expected.
    SendMessageTimeoutA(w, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &ignored);
    return 0;
}

int cmd_wait(int argc, char** argv) {
    State state;
    long long timeout = 0;
    if (argc != 2 || !parse_state(argv[0], state) || !parse_number(argv[1], timeout))
        return usage();
    double elapsed = 0;
    const bool ok = wait_for(state, static_cast<double>(timeout), elapsed, now_ms());
    std::printf("%.1f\n", elapsed);
    return ok ? 0 : 1;
}

std::string quote_args(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        if (i) line += ' ';
        line += '"';
        line += argv[i];
        line += '"';
    }
    return line;
}

// The benchmark measures from the moment a request is made to the moment the window is
// visible, inside one process, so Wine's start-up cost of the probe itself is not counted.
int time_until_visible(double start) {
    double elapsed = 0;
    const bool ok = wait_for(State::Visible, 20000, elapsed, start);
    std::printf("%.2f\n", elapsed);
    return ok ? 0 : 1;
}

// How a request to show the hidden window is made: the program's wake-up message, or a
// plain ShowWindow (for a peer program that has no wake-up message).
int cmd_time_hidden_to_visible(bool wake) {
    HWND w;
    if (int rc = with_window(w)) return rc;
    if (IsWindowVisible(w)) {
        std::fprintf(stderr, "vpsprobe: window is already visible\n");
        return 1;
    }
    const double start = now_ms();
    if (wake ? !PostMessageA(w, kWakeUp, 0, 0) : !ShowWindowAsync(w, SW_SHOW)) return 1;
    return time_until_visible(start);
}

// Starts a program and times until a window of the probe's class is visible: a cold start,
// or a second start that only wakes the resident copy.
int cmd_start_time(int argc, char** argv) {
    if (argc < 1) return usage();
    std::string line = quote_args(argc, argv);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = now_ms();
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &si, &pi);
    if (!started) {
        std::fprintf(stderr, "vpsprobe: cannot start %s (error %lu)\n", argv[0], GetLastError());
        return 1;
    }
    CloseHandle(pi.hThread);
    const int rc = time_until_visible(start);
    CloseHandle(pi.hProcess);
    return rc;
}

// Line breaks and tabs as escapes, so one control stays on one line of the output.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

// Every control of the window as "CLASS<TAB>VALUE<TAB>TEXT": a button's check state (0, 1, 2),
// a track bar's position, "-" for the rest. What a person sees of the settings, read the way
// another program can read it.
int cmd_controls() {
    HWND w;
    if (int rc = with_window(w)) return rc;
    for (HWND child : windows_below(w)) {
        const std::string cls = class_of(child);
        UINT query = 0;
        if (_stricmp(cls.c_str(), "Button") == 0) query = BM_GETCHECK;
        if (_stricmp(cls.c_str(), TRACKBAR_CLASSA) == 0) query = TBM_GETPOS;
        DWORD_PTR value = 0;
        const bool answered =
            query && SendMessageTimeoutA(child, query, 0, 0, SMTO_NORMAL, 10000, &value);
        std::printf("%s\t%s\t%s\n", cls.c_str(),
                    answered ? std::to_string(static_cast<long long>(value)).c_str() : "-",
                    escaped(text_of(child)).c_str());
    }
    return 0;
}

// Drags across the window's largest child (the selection's picture of the screen) as fast as
// it can follow: each move is sent, so it has been handled when the send returns, and the
// window is then made to paint, so a frame counts only once it is on the screen.
int cmd_drag_fps(int argc, char** argv) {
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0, frames = 0;
    if (!parse_numbers(argc, argv, {&x0, &y0, &x1, &y1, &frames}) || frames < 1) return usage();
    HWND w;
    if (int rc = with_window(w)) return rc;
    HWND surface = w;
    long long largest = 0;
    for (HWND child : windows_below(w)) {
        RECT r{};
        GetClientRect(child, &r);
        const long long area = static_cast<long long>(r.right) * r.bottom;
        if (area > largest) {
            largest = area;
            surface = child;
        }
    }
    const auto send = [surface](UINT message, WPARAM keys, long long x, long long y) {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(surface, message, keys, MAKELPARAM(x, y), SMTO_NORMAL, 10000,
                                   &ignored) != 0;
    };
    if (!send(WM_MOUSEMOVE, 0, x0, y0) || !send(WM_LBUTTONDOWN, MK_LBUTTON, x0, y0)) return 1;
    RedrawWindow(surface, nullptr, nullptr, RDW_UPDATENOW);
    double handling = 0;
    double painting = 0;
    for (long long i = 1; i <= frames; ++i) {
        const double sent = now_ms();
        if (!send(WM_MOUSEMOVE, MK_LBUTTON, x0 + (x1 - x0) * i / frames, y0 + (y1 - y0) * i / frames))
            return 1;
        const double handled = now_ms();
        RedrawWindow(surface, nullptr, nullptr, RDW_UPDATENOW);
        handling += handled - sent;
        painting += now_ms() - handled;
    }
    send(WM_LBUTTONUP, 0, x1, y1);
    std::printf("%.1f\n", static_cast<double>(frames) * 1000.0 / (handling + painting));
    std::fprintf(stderr, "per frame: %.2f ms handling the move, %.2f ms painting\n",
                 handling / static_cast<double>(frames), painting / static_cast<double>(frames));
    return 0;
}

// The Save dialog, its replace question and the program's message boxes are all of class
// #32770, often several at once, so FindWindow's one answer is not enough to read them.
int cmd_texts() {
    bool any = false;
    for (HWND top : windows_below()) {
        if (class_of(top) != g_class || !IsWindowVisible(top)) continue;
        any = true;
        const std::string title = escaped(text_of(top));
        for (HWND child : windows_below(top)) {
            std::printf("%s\t%s\n", title.c_str(), escaped(text_of(child)).c_str());
        }
    }
    return any ? 0 : kNotFound;
}

// ---- soak: many activations, driven from here because a process per step would dominate ----

HWND child_with_text(HWND parent, const char* text) {
    for (HWND child : windows_below(parent)) {
        if (text_of(child) == text) return child;
    }
    return nullptr;
}

// The select button is the one push button that shows an icon instead of a caption.
HWND select_button(HWND main) {
    for (HWND child : windows_below(main)) {
        if (_stricmp(class_of(child).c_str(), "Button") == 0 && text_of(child).empty() &&
            (GetWindowLongA(child, GWL_STYLE) & BS_ICON)) {
            return child;
        }
    }
    return nullptr;
}

// Polls until `found` returns true, or fails after `timeout_ms`.
template <typename Condition>
bool poll(Condition found, double timeout_ms) {
    const double start = now_ms();
    while (!found()) {
        if (now_ms() - start > timeout_ms) return false;
        Sleep(2);
    }
    return true;
}

bool visible_window(const char* cls, const char* title) {
    HWND w = FindWindowA(cls, title);
    return w && IsWindowVisible(w);
}

// A click the way a user's click arrives: posted, so a modal loop the click opens (the Save
// dialog, the selection) does not hold this process up.
bool click(HWND main, const char* caption) {
    HWND button = child_with_text(main, caption);
    if (!button) {
        std::fprintf(stderr, "vpsprobe: no control \"%s\"\n", caption);
        return false;
    }
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

void remove_files(const std::string& folder, const char* pattern) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// One activation: the wake-up, then by turns Copy to Clipboard, Save as a BMP file (the
// proposed name taken, the file removed afterwards so the folder stays small) and a selection
// cancelled with Escape followed by Close; every one ends with the window hidden.
bool soak_once(long long n, const std::string& folder) {
    HWND main = target();
    if (!main || !PostMessageA(main, kWakeUp, 0, 0)) return false;
    if (!poll([&] { return IsWindowVisible(main); }, 20000)) {
        std::fprintf(stderr, "vpsprobe: activation %lld: the window did not show\n", n);
        return false;
    }
    switch (n % 3) {
    case 1:
        if (!click(main, "&Copy to Clipboard") || !click(main, "O&K")) return false;
        break;
    case 2: {
        if (!click(main, "Save as a &File") || !click(main, "&BMP - Bitmap") || !click(main, "O&K"))
            return false;
        HWND dialog = nullptr;
        if (!poll([&] { return (dialog = FindWindowA("#32770", "Save Picture")) && IsWindowVisible(dialog); }, 20000)) {
            std::fprintf(stderr, "vpsprobe: activation %lld: no Save dialog\n", n);
            return false;
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        break;
    }
    default: {
        HWND button = select_button(main);
        if (!button || !PostMessageA(button, BM_CLICK, 0, 0)) return false;
        if (!poll([] { return visible_window("TfmSelectedArea", nullptr); }, 20000)) {
            std::fprintf(stderr, "vpsprobe: activation %lld: no selection window\n", n);
            return false;
        }
        HWND selection = FindWindowA("TfmSelectedArea", nullptr);
        PostMessageA(selection, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(selection, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
        if (!poll([] { return !visible_window("TfmSelectedArea", nullptr); }, 20000)) {
            std::fprintf(stderr, "vpsprobe: activation %lld: the selection did not end\n", n);
            return false;
        }
        if (!click(main, "C&lose")) return false;
        break;
    }
    }
    if (!poll([&] { return !IsWindowVisible(main); }, 20000)) {
        std::fprintf(stderr, "vpsprobe: activation %lld: the window did not hide\n", n);
        return false;
    }
    if (n % 3 == 2) remove_files(folder, "*.bmp");
    return true;
}

int cmd_soak(int argc, char** argv) {
    long long first = 0, last = 0;
    if (argc != 3 || !parse_number(argv[0], first) || !parse_number(argv[1], last) || first < 1 ||
        last < first)
        return usage();
    const std::string folder = argv[2];
    if (!target()) return kNotFound;
    const double start = now_ms();
    for (long long n = first; n <= last; ++n) {
        if (!soak_once(n, folder)) return 1;
        // A sign of life in the log, so a slow machine is told apart from a stuck program.
        if (n % 25 == 0) std::fprintf(stderr, "vpsprobe: %lld activations, %.0f ms\n", n, now_ms() - start);
    }
    std::printf("%.0f\n", now_ms() - start);
    return 0;
}

// Threads of one process, counted from a system snapshot (there is no per-process call).
long count_threads(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    long count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == pid) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// What a leak would make grow, as Task Manager shows it for the window's process. Each figure is
// -1 when the system refuses to say, so a script can tell "none" from "unknown".
int cmd_resources() {
    HWND w;
    if (int rc = with_window(w)) return rc;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "vpsprobe: cannot open process %lu (error %lu)\n", pid, GetLastError());
        return 1;
    }
    const long gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    const long user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    DWORD handles = 0;
    const long handleCount = GetProcessHandleCount(process, &handles) ? static_cast<long>(handles) : -1;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    const long privateKb =
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)
            ? static_cast<long>(memory.PrivateUsage / 1024)
            : -1;
    CloseHandle(process);
    std::printf("pid=%lu gdi=%ld user=%ld handles=%ld threads=%ld private_kb=%ld\n", pid, gdi, user,
                handleCount, count_threads(pid), privateKb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Text mode would turn every newline into CRLF, which the shell scripts then have to strip.
    _setmode(_fileno(stdout), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Rectangles as the program sees them: in pixels, also on a screen set above 100 %.
    SetProcessDPIAware();

    int i = 1;
    for (; i + 1 < argc && std::strlen(argv[i]) == 2 && argv[i][0] == '-'; i += 2) {
        if (argv[i][1] == 'c') g_class = argv[i + 1];
        else if (argv[i][1] == 't') g_title = argv[i + 1];
        else return usage();
    }
    if (i >= argc) return usage();
    const std::string cmd = argv[i];
    char** rest = argv + i + 1;
    const int nrest = argc - i - 1;

    HWND w = nullptr;
    if (cmd == "find" || cmd == "visible" || cmd == "rect" || cmd == "client" || cmd == "pid" ||
        cmd == "close") {
        if (nrest != 0) return usage();
        if (int rc = with_window(w)) return rc;
    }
    if (cmd == "find") {
        std::printf("%p\n", static_cast<void*>(w));
    } else if (cmd == "visible") {
        std::printf("%d\n", IsWindowVisible(w) ? 1 : 0);
    } else if (cmd == "rect") {
        RECT r{};
        if (!GetWindowRect(w, &r)) return 1;
        print_rect(r);
    } else if (cmd == "client") {
        RECT r{};
        if (!GetClientRect(w, &r)) return 1;
        POINT origin{0, 0};
        ClientToScreen(w, &origin);
        // Width and height first; the screen position of the client area helps to crop shots.
        std::printf("%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, origin.x, origin.y);
    } else if (cmd == "pid") {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        std::printf("%lu\n", pid);
    } else if (cmd == "close") {
        return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
    } else if (cmd == "find-title") {
        if (nrest != 1) return usage();
        HWND found = FindWindowA(nullptr, rest[0]);
        if (!found) return kNotFound;
        std::printf("%p\n", static_cast<void*>(found));
    } else if (cmd == "post" || cmd == "send") {
        return cmd_message(cmd == "post", nrest, rest);
    } else if (cmd == "show") {
        long long sw = 0;
        if (!parse_numbers(nrest, rest, {&sw})) return usage();
        if (int rc = with_window(w)) return rc;
        ShowWindowAsync(w, static_cast<int>(sw));
    } else if (cmd == "set-title") {
        // Another program's window with a title as long as a test needs; WM_SETTEXT carries
        // the text across processes.
        long long length = 0;
        if (nrest < 1 || nrest > 2 || !parse_numbers(1, rest, {&length}) || length < 0) return usage();
        const std::string pattern = nrest == 2 ? rest[1] : "Long title 0123456789 ";
        if (pattern.empty()) return usage();
        if (int rc = with_window(w)) return rc;
        std::string title;
        while (title.size() < static_cast<std::size_t>(length)) title += pattern;
        title.resize(static_cast<std::size_t>(length));
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()),
                                   SMTO_ABORTIFHUNG, 5000, &result) && result
                   ? 0
                   : 1;
    } else if (cmd == "endsession") {
        if (nrest != 0) return usage();
        return cmd_endsession();
    } else if (cmd == "wait") {
        return cmd_wait(nrest, rest);
    } else if (cmd == "wake-time" || cmd == "show-time") {
        if (nrest != 0) return usage();
        return cmd_time_hidden_to_visible(cmd == "wake-time");
    } else if (cmd == "start-time") {
        return cmd_start_time(nrest, rest);
    } else if (cmd == "child-rect") {
        // Controls are found by their caption (mnemonic ampersand included), as a user sees them.
        if (nrest != 1) return usage();
        if (int rc = with_window(w)) return rc;
        const std::vector<HWND> children = windows_below(w);
        const auto found =
            std::ranges::find_if(children, [&](HWND child) { return text_of(child) == rest[0]; });
        if (found == children.end()) return kNotFound;
        RECT r{};
        GetWindowRect(*found, &r);
        print_rect(r);
    } else if (cmd == "acp") {
        // The ANSI code page Wine took from the locale: 1252 for English, 932 for Japanese.
        std::printf("%u\n", GetACP());
    } else if (cmd == "count") {
        const auto count = std::ranges::count_if(
            windows_below(), [](HWND each) { return class_of(each) == g_class; });
        std::printf("%d\n", static_cast<int>(count));
    } else if (cmd == "idle") {
        // A program is settled once its message loop first waits for input; checking that
        // nothing became visible is only meaningful after that point.
        long long timeout = 0;
        if (!parse_numbers(nrest, rest, {&timeout})) return usage();
        if (int rc = with_window(w)) return rc;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        if (!process) return 1;
        const DWORD result = WaitForInputIdle(process, static_cast<DWORD>(timeout));
        CloseHandle(process);
        return result == 0 ? 0 : 1;
    } else if (cmd == "move") {
        long long x = 0, y = 0, cx = 0, cy = 0;
        if (!parse_numbers(nrest, rest, {&x, &y, &cx, &cy})) return usage();
        if (int rc = with_window(w)) return rc;
        return SetWindowPos(w, nullptr, static_cast<int>(x), static_cast<int>(y),
                            static_cast<int>(cx), static_cast<int>(cy),
                            SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    } else if (cmd == "monitors") {
        if (nrest != 0) return usage();
        return cmd_monitors();
    } else if (cmd == "list") {
        for (HWND each : windows_below()) print_window(each);
    } else if (cmd == "controls") {
        if (nrest != 0) return usage();
        return cmd_controls();
    } else if (cmd == "texts") {
        if (nrest != 0) return usage();
        return cmd_texts();
    } else if (cmd == "soak") {
        return cmd_soak(nrest, rest);
    } else if (cmd == "resources") {
        if (nrest != 0) return usage();
        return cmd_resources();
    } else if (cmd == "drag-fps") {
        return cmd_drag_fps(nrest, rest);
    } else {
        return usage();
    }
    return 0;
}
