#include "output/EmailCapture.h"

#include <optional>

#include "core/MailText.h"
#include "output/SendEmail.h"
#include "win/WideText.h"

namespace vps {

namespace {

// The text GetDateFormatW or GetTimeFormatW writes, or nothing when it fails (both answer 0).
template <typename Format>
std::optional<std::string> formatted(Format format) {
    const int size = format(nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (format(text.data(), size) <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(size - 1));
    return win::narrow(text);
}

std::optional<std::string> shortDate(const SYSTEMTIME& time) {
    return formatted([&time](wchar_t* text, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, size);
    });
}

std::optional<std::string> longTime(const SYSTEMTIME& time) {
    return formatted([&time](wchar_t* text, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, size);
    });
}

}  // namespace

std::string captureMailBodyAt(const SYSTEMTIME& localTime) {
    const bool exactlyMidnight = localTime.wHour == 0 && localTime.wMinute == 0 &&
                                 localTime.wSecond == 0 && localTime.wMilliseconds == 0;
    const auto date = shortDate(localTime);
    const auto time = longTime(localTime);
    // The file is saved by now: a locale or clock value the system refuses must not stop the
    // mail, so the whole moment then reads in the fixed numeric form rather than half in each.
    if (!date || !time) {
        return captureMailBody(captureMomentText(
            numericDate(localTime.wYear, localTime.wMonth, localTime.wDay),
            numericTime(localTime.wHour, localTime.wMinute, localTime.wSecond), exactlyMidnight));
    }
    return captureMailBody(captureMomentText(*date, *time, exactlyMidnight));
}

void EmailCapture(HWND owner, const std::string& jpegPath) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SendMapiMail(owner, "", "", "", "Title", captureMailBodyAt(now), jpegPath + ";");
}

}  // namespace vps
