#pragma once

// The one edge between the program's UTF-8 text and the wide (UTF-16) calls of Windows. Every
// text that goes to or comes from a ...W call passes through these two.

#include <string>
#include <string_view>

#include "core/Utf8.h"

namespace win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

inline std::wstring wide(std::string_view utf8Text) {
    const std::u16string units = vps::utf8::toUtf16(utf8Text);
    return {units.begin(), units.end()};
}

inline std::string narrow(std::wstring_view wideText) {
    return vps::utf8::fromUtf16({reinterpret_cast<const char16_t*>(wideText.data()), wideText.size()});
}

// A wide text the system wrote into a buffer, up to its terminating NUL.
inline std::string narrow(const wchar_t* wideText) { return wideText ? narrow(std::wstring_view(wideText)) : std::string(); }

}  // namespace win
