#include "app/CrashReport.h"

#include <windows.h>
// After <windows.h>: the shell's folders and the minidump writer.
#include <dbghelp.h>
#include <shlobj.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/TestAids.h"
#include "core/CrashReportFiles.h"
#include "guidance/ExeInfo.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

namespace {

// Where and what to report is worked out at installation: once the process has crashed, a
// lookup in the shell may wait for the very thread that crashed (seen under Wine: the report
// thread then hangs and no report appears).
struct ReportState {
    std::wstring appFolder;  // %LOCALAPPDATA%\Vantaro Print Screen
    std::wstring folder;     // ...\Crashes
    std::string folderText;  // the same, for the message
    std::string version;
    EXCEPTION_POINTERS* exception = nullptr;
    DWORD crashedThread = 0;
    const StackOverrunWatch* watch = nullptr;
    DWORD watchedThread = 0;
};

ReportState& state() {
    static ReportState report;
    return report;
}

// A stack overflow leaves the crashed thread only this much stack, guaranteed, for the filter.
constexpr ULONG kStackForTheFilter = 32 * 1024;
// The report is written on a thread of its own with a fresh stack of this size.
constexpr SIZE_T kReportThreadStack = 512 * 1024;

// The environment answers at once at every start; the shell only when it is missing.
std::string localAppDataFolder() {
    std::wstring path(MAX_PATH, L'\0');
    // Too small a buffer gets the size needed, its NUL included.
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", path.data(), static_cast<DWORD>(path.size()));
    if (length >= path.size()) {
        path.resize(length);
        length = GetEnvironmentVariableW(L"LOCALAPPDATA", path.data(), static_cast<DWORD>(path.size()));
    }
    if (length > 0 && length < path.size()) return win::narrow(std::wstring_view(path.data(), length));
    wchar_t shellPath[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                   shellPath))) {
        return win::narrow(shellPath);
    }
    return {};
}

crash::Moment now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

crash::Fault faultOf(const EXCEPTION_RECORD& record) {
    crash::Fault fault;
    fault.code = record.ExceptionCode;
    const auto address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    fault.address = address;
    HMODULE module = nullptr;
    if (GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<const wchar_t*>(record.ExceptionAddress), &module)) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        const std::wstring_view name(path, length < MAX_PATH ? length : 0);
        fault.module = win::narrow(name.substr(name.find_last_of(L"\\/") + 1));
        fault.offset = address - reinterpret_cast<std::uintptr_t>(module);
    }
    return fault;
}

void writeDump(const std::wstring& path) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    MINIDUMP_EXCEPTION_INFORMATION exception{state().crashedThread, state().exception, FALSE};
    // https://learn.microsoft.com/windows/win32/api/minidumpapiset/nf-minidumpapiset-minidumpwritedump
    MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file.get(), MiniDumpNormal,
                      &exception, nullptr, nullptr);
}

void writeText(const std::wstring& path, const std::string& line) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void pruneOldReports(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(win::narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::string& name : crash::reportsToRemove(names, crash::kReportsKept)) {
        DeleteFileW((folder + L"\\" + win::wide(name)).c_str());
    }
}

DWORD WINAPI writeReport(void*) {
    const ReportState& report = state();
    CreateDirectoryW(report.appFolder.c_str(), nullptr);
    CreateDirectoryW(report.folder.c_str(), nullptr);
    const crash::Moment when = now();
    const std::wstring stem =
        report.folder + L"\\" + win::wide(crash::reportStem(when, GetCurrentProcessId()));
    writeDump(stem + win::wide(crash::kDumpExtension));
    writeText(stem + win::wide(crash::kTextExtension),
              crash::reportLine(report.version, when, faultOf(*report.exception->ExceptionRecord)));
    pruneOldReports(report.folder);
    const std::string message =
        "Vantaro Print Screen stopped because of an unexpected fault.\r\n"
        "A report of it was written to:\r\n" +
        report.folderText;
    MessageBoxW(nullptr, win::wide(message).c_str(), L"Vantaro Print Screen",
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
    return 0;
}

LONG WINAPI reportUnhandledException(EXCEPTION_POINTERS* exception) {
    // A second fault while reporting the first ends the process without another report.
    static LONG reporting = 0;
    if (InterlockedExchange(&reporting, 1) != 0) return EXCEPTION_EXECUTE_HANDLER;
    state().exception = exception;
    state().crashedThread = GetCurrentThreadId();
    // The crashed thread's stack may be all but used up (a stack overflow): the report is written
    // on a fresh thread while this one only waits.
    const win::Handle writer(CreateThread(nullptr, kReportThreadStack, writeReport, nullptr,
                                          STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (writer) WaitForSingleObject(writer.get(), INFINITE);
    // Ended here, with the exception's code, rather than left to the system: after a stack
    // overflow Wine was seen to end the process with code 0, as if nothing had happened.
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// What a StackOverrunWatch holds while nothing has overwritten it.
constexpr std::uint64_t kWatchMark = 0x5A17'C0DE'5A17'C0DEull;

// Runs before the system looks for handlers on the stack, which it could not find on a stack
// written over; a mark that is still whole means the stack is too, and the search goes on.
LONG WINAPI reportOverrunStack(EXCEPTION_POINTERS* exception) {
    const ReportState& report = state();
    if (report.watch && GetCurrentThreadId() == report.watchedThread && report.watch->overwritten()) {
        return reportUnhandledException(exception);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Never cleared; read through volatile so the compiler can neither end the recursion below nor
// call it endless.
volatile bool keepRecursing = true;

// Deep enough to run out of any stack; the volatile buffer keeps the compiler from turning the
// recursion into a loop.
__attribute__((noinline)) int overflowTheStack(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (!keepRecursing) return frame[0];
    return overflowTheStack(depth + 1) + frame[0];
}

// Writes past a buffer on the stack, upwards over every caller's frame to the top of the stack,
// then crashes: what a copy of a name of 20,000 characters into a buffer of MAX_PATH did inside
// the system's Save dialog. The writes stop at the top, where Windows has nothing of the
// process's; Wine keeps the stack its system calls run on there, and a report is then
// impossible. The address goes through an integer so the compiler keeps every write.
__attribute__((noinline)) void overrunTheStack() {
    volatile char buffer[16] = {};
    // The pages in use from here up make one region, which ends at the stack's top.
    MEMORY_BASIC_INFORMATION stack{};
    VirtualQuery(const_cast<char*>(&buffer[0]), &stack, sizeof stack);
    const auto top = reinterpret_cast<std::uintptr_t>(stack.BaseAddress) + stack.RegionSize;
    for (auto at = reinterpret_cast<std::uintptr_t>(&buffer[0]); at < top; ++at) {
        *reinterpret_cast<volatile char*>(at) = 'A';
    }
    *static_cast<volatile int*>(nullptr) = 0;
}

}  // namespace

StackOverrunWatch::StackOverrunWatch() : mark_(kWatchMark) {
    state().watch = this;
    state().watchedThread = GetCurrentThreadId();
    // https://learn.microsoft.com/windows/win32/api/errhandlingapi/nf-errhandlingapi-addvectoredexceptionhandler
    handler_ = AddVectoredExceptionHandler(1, reportOverrunStack);
}

StackOverrunWatch::~StackOverrunWatch() {
    if (handler_) RemoveVectoredExceptionHandler(handler_);
    state().watch = nullptr;
}

bool StackOverrunWatch::overwritten() const { return mark_ != kWatchMark; }

std::string localProgramDataFolder() {
    const std::string local = localAppDataFolder();
    return local.empty() ? "" : local + "\\Vantaro Print Screen";
}

void installCrashReport() {
    ReportState& report = state();
    const std::string appFolder = localProgramDataFolder();
    report.folderText = appFolder + "\\Crashes";
    report.appFolder = win::wide(appFolder);
    report.folder = win::wide(report.folderText);
    report.version = TExeInfo().FileVersion;
    ULONG guarantee = kStackForTheFilter;
    SetThreadStackGuarantee(&guarantee);
    SetUnhandledExceptionFilter(reportUnhandledException);
}

void crashOnRequest() {
    if (testaids::requested(testaids::kCrashByStackOverflow)) {
        overflowTheStack(0);
    } else if (testaids::requested(testaids::kCrashByStackOverrun)) {
        overrunTheStack();
    } else if (testaids::requested(testaids::kCrash)) {
        *static_cast<volatile int*>(nullptr) = 0;
    }
}

}  // namespace vps
