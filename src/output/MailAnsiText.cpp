#include "output/MailAnsiText.h"

#include <utility>
#include <vector>

#include "core/MailAttachments.h"
#include "win/WideText.h"

namespace vps::mail {

namespace {

// WC_NO_BEST_FIT_CHARS: without it "Ω" would quietly become "O" in code page 1252, and a path
// would then name another file while the call reports nothing wrong.
// https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-widechartomultibyte
std::string toAnsi(const std::wstring& text, bool* usedDefault) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                         0, nullptr, nullptr);
    if (size <= 0) {
        if (usedDefault) *usedDefault = true;
        return {};
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), size, "?",
                        usedDefault ? &defaulted : nullptr);
    if (usedDefault) *usedDefault = defaulted != FALSE;
    return ansi;
}

ShortPathLookup& shortPathLookup() {
    static ShortPathLookup lookup = systemShortPath;
    return lookup;
}

}  // namespace

ShortPathLookup useShortPathLookup(ShortPathLookup lookup) {
    return std::exchange(shortPathLookup(), lookup);
}

std::optional<std::string> exactAnsi(const std::string& utf8) {
    bool usedDefault = false;
    std::string ansi = toAnsi(win::wide(utf8), &usedDefault);
    if (usedDefault) return std::nullopt;
    return ansi;
}

std::string ansiText(const std::string& utf8) {
    return toAnsi(win::wide(utf8), nullptr);
}

std::string fromAnsi(const char* ansi) {
    if (!ansi || !*ansi) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    if (size <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, text.data(), size);
    return win::narrow(text.data());
}

std::optional<std::string> systemShortPath(const std::string& path) {
    const std::wstring longPath = win::wide(path);
    const DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<wchar_t> shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(longPath.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    return win::narrow(shortPath.data());
}

std::optional<AnsiAttachment> ansiAttachment(const std::string& path, const std::string& fileName) {
    std::optional<std::string> ansiPath = exactAnsi(path);
    std::optional<std::string> ansiName = exactAnsi(fileName);
    if (ansiPath && ansiName) return AnsiAttachment{*ansiPath, *ansiName};
    const std::optional<std::string> shortened = shortPathLookup()(path);
    if (!shortened) return std::nullopt;
    if (!ansiPath) ansiPath = exactAnsi(*shortened);
    if (!ansiName) ansiName = exactAnsi(attachmentFileName(*shortened));
    // A volume that keeps no short names answers the long path itself.
    if (!ansiPath || !ansiName) return std::nullopt;
    return AnsiAttachment{*ansiPath, *ansiName};
}

}  // namespace vps::mail
