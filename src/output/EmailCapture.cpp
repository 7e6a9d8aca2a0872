#include "output/EmailCapture.h"

#include "core/MailText.h"
#include "output/SendEmail.h"
#include "win/Error.h"

namespace vps {

namespace {

std::string shortDate(const SYSTEMTIME& time) {
    const int size = win::checkOS(
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, nullptr, 0));
    std::string text(static_cast<std::size_t>(size), '\0');
    win::checkOS(
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text.data(), size));
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

std::string longTime(const SYSTEMTIME& time) {
    const int size =
        win::checkOS(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, nullptr, 0));
    std::string text(static_cast<std::size_t>(size), '\0');
    win::checkOS(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text.data(), size));
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

}  // namespace

std::string captureMailBodyAt(const SYSTEMTIME& localTime) {
    const bool exactlyMidnight = localTime.wHour == 0 && localTime.wMinute == 0 &&
                                 localTime.wSecond == 0 && localTime.wMilliseconds == 0;
    return captureMailBody(
        captureMomentText(shortDate(localTime), longTime(localTime), exactlyMidnight));
}

void EmailCapture(HWND owner, const std::string& jpegPath) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SendMapiMail(owner, "", "", "", "Title", captureMailBodyAt(now), jpegPath + ";");
}

}  // namespace vps
