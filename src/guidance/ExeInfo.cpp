#include "guidance/ExeInfo.h"

#include <windows.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "win/Application.h"

namespace vps {

namespace {

constexpr const char* kNotRead = "Updated at run-time";

// The language-and-code-page key of the string table, e.g. "040904E4". A resource without a
// translation table still usually holds the U.S. English table, so that is tried instead.
std::string stringTableKey(const std::vector<char>& data) {
    WORD* translation = nullptr;
    UINT length = 0;
    char key[9] = "040904E4";
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                       &length) &&
        translation && length >= 2 * sizeof(WORD)) {
        std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
    }
    return key;
}

}  // namespace

TExeInfo::TExeInfo() {
    for (std::string* field : {&CompanyName, &FileDescription, &FileVersion, &InternalName,
                               &LegalCopyright, &LegalTradeMark, &OriginalFileName, &ProductName,
                               &ProductVersion, &Comments}) {
        *field = kNotRead;
    }
    ReadVersionInfo(win::Application::exePath());
}

void TExeInfo::ReadVersionInfo(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return;
    std::vector<char> data(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return;

    const std::string prefix = "\\StringFileInfo\\" + stringTableKey(data) + "\\";
    const std::pair<std::string*, const char*> entries[] = {
        {&CompanyName, "CompanyName"},       {&FileDescription, "FileDescription"},
        {&FileVersion, "FileVersion"},       {&InternalName, "InternalName"},
        {&LegalCopyright, "LegalCopyright"}, {&LegalTradeMark, "LegalTradeMarks"},
        {&OriginalFileName, "OriginalFileName"}, {&ProductName, "ProductName"},
        {&ProductVersion, "ProductVersion"}, {&Comments, "Comments"},
    };
    for (const auto& [field, entry] : entries) {
        char* value = nullptr;
        UINT length = 0;
        const std::string query = prefix + entry;
        // The length counts characters up to the end of the value; stop at its first NUL too.
        if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value) {
            *field = std::string(value, strnlen(value, length));
        } else {
            field->clear();
        }
    }
}

}  // namespace vps
