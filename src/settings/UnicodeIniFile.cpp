// Keeps the settings file in UTF-16LE with its byte-order mark, converting a file of an earlier
// version once.
#include "settings/UnicodeIniFile.h"

#include <windows.h>

#include "core/Utf8.h"
#include "win/UniqueHandle.h"

namespace vps::ini {

namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool readWholeFile(const std::wstring& path, std::string& bytes, bool& missing) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    LARGE_INTEGER size{};
    // A settings file is small; one beyond what a DWORD reads at once is none of ours.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return false;
    }
    bytes.resize(read);
    return true;
}

bool writeNewFile(const std::wstring& path, std::string_view bytes) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.get());
}

std::string utf16leWithMark(const std::wstring& text) {
    std::string bytes(kUtf16Mark);
    bytes.reserve(bytes.size() + text.size() * 2);
    for (const wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

bool convert(const std::wstring& path, std::string_view bytes) {
    const std::wstring converting = conversionFileFor(path);
    if (!writeNewFile(converting, utf16leWithMark(decodeUnmarkedFile(bytes)))) {
        DeleteFileW(converting.c_str());
        return false;
    }
    // The old file's read-only mark, if any, refuses the replacement: such a file was never
    // writable, and stays as it is.
    if (!MoveFileExW(converting.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(converting.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::wstring decodeUnmarkedFile(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        const std::u16string text = utf8::toUtf16(bytes.substr(kUtf8Mark.size()));
        return {text.begin(), text.end()};
    }
    if (bytes.empty()) return {};
    // The one place the program decodes the ANSI code page: the files of earlier versions.
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

std::wstring conversionFileFor(const std::wstring& path) { return path + L".converting"; }

bool prepareUnicodeFile(const std::wstring& path) {
    std::string bytes;
    bool missing = false;
    if (!readWholeFile(path, bytes, missing)) {
        // Created with CREATE_NEW: a file someone else made meanwhile is not overwritten.
        if (!missing) return true;
        const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError() == ERROR_FILE_EXISTS;
        DWORD written = 0;
        WriteFile(file.get(), kUtf16Mark.data(), static_cast<DWORD>(kUtf16Mark.size()), &written,
                  nullptr);
        return true;
    }
    if (bytes.substr(0, kUtf16Mark.size()) == kUtf16Mark) return true;
    convert(path, bytes);
    return true;
}

}  // namespace vps::ini
