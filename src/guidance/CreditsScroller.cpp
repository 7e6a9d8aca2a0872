#include "guidance/CreditsScroller.h"

#include "win/Error.h"
#include "win/WideText.h"

namespace vps {

namespace {

constexpr UINT kLineFlags = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP;

// Raised letters are one pixel taller: the highlight copy sits above the text.
constexpr int kRaisedExtra = 1;

// The user-interface thread waits for the timer thread here. The timer thread never waits for
// the user-interface thread, but a message another thread sends to this one is still answered,
// so no cross-thread call can hang on the wait; posted messages stay queued, so no handler runs
// in the middle of a deactivation.
void waitAnsweringSentMessages(HANDLE thread) {
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

CreditsScroller::CreditsScroller(win::Window& parent, const win::ControlDescription& description)
    : PaintedControl(parent, description),
      font_(win::createFont({.face = "Arial", .height = 13, .weight = FW_BOLD, .italic = true},
                            dpi())),
      background_(CreateSolidBrush(kBackground)),
      stopTimer_(win::checkOS(CreateEventW(nullptr, TRUE, FALSE, nullptr))) {
    createOwn("VantaroCredits", 0, WS_CHILD | WS_CLIPSIBLINGS, 0, parent.handle(), description.bounds, "");
    finishCreation();
}

CreditsScroller::~CreditsScroller() { deactivate(); }

void CreditsScroller::setLines(std::vector<std::string> lines) {
    {
        std::lock_guard picture(pictureLock_);
        lines_ = std::move(lines);
        if (active()) {
            position_ = 0;
            prepare();
        }
    }
    invalidate();
}

void CreditsScroller::setActive(bool active) {
    if (active == this->active()) return;
    if (active) {
        activate();
    } else {
        deactivate();
    }
}

int CreditsScroller::position() const {
    std::lock_guard picture(pictureLock_);
    return position_;
}

int CreditsScroller::lineHeight() const {
    std::lock_guard picture(pictureLock_);
    return geometry_.lineHeight;
}

int CreditsScroller::scrollRange() const {
    std::lock_guard picture(pictureLock_);
    return credits::scrollRange(geometry_);
}

credits::Area CreditsScroller::textArea() const {
    std::lock_guard picture(pictureLock_);
    return area_;
}

void CreditsScroller::activate() {
    {
        std::lock_guard picture(pictureLock_);
        position_ = 0;
        prepare();
    }
    ResetEvent(stopTimer_.get());
    ++runningTimerThreads_;
    timerThread_.reset(CreateThread(nullptr, 0, timerMain, this, 0, nullptr));
    if (!timerThread_) {
        --runningTimerThreads_;
        win::raiseLastOSError();
    }
    invalidate();
}

void CreditsScroller::deactivate() {
    if (!timerThread_) return;
    // The timer stops before the picture's lock is taken: the thread may be waiting for that
    // lock to draw its last frame, and it must be able to finish that frame and end.
    SetEvent(stopTimer_.get());
    waitAnsweringSentMessages(timerThread_.get());
    timerThread_.reset();
    {
        std::lock_guard picture(pictureLock_);
        position_ = 0;
        picture_ = win::Bitmap();
    }
    if (handle()) invalidate();
}

void CreditsScroller::prepare() {
    geometry_.firstLine = credits::firstNonBlankLine(lines_);
    geometry_.lineCount = lines_.size();
    {
        win::WindowDC screen(nullptr);
        win::SelectGuard selectFont(screen.get(), font_.get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.get(), &metrics);
        geometry_.lineHeight = metrics.tmHeight + metrics.tmExternalLeading + kRaisedExtra;
    }
    area_ = credits::textArea(clientWidth(), clientHeight(), 0);
    geometry_.areaHeight = area_.height;

    picture_ = win::Bitmap(area_.width, area_.height);
    SelectObject(picture_.dc(), font_.get());
    SetBkMode(picture_.dc(), TRANSPARENT);
    drawFrame();
}

void CreditsScroller::drawFrame() {
    if (picture_.empty()) return;
    HDC dc = picture_.dc();
    const RECT whole{0, 0, area_.width, area_.height};
    win::Brush background(CreateSolidBrush(kBackground));
    FillRect(dc, &whole, background.get());

    for (const auto& [index, top] : credits::visibleLines(geometry_, position_)) {
        // After the last line comes one holding a single blank.
        const std::wstring text =
            win::wide(index < lines_.size() ? credits::drawnText(lines_[index]) : " ");
        RECT box{0, top, area_.width, top + geometry_.lineHeight};
        RECT light = box;
        OffsetRect(&light, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &light, kLineFlags);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, kLineFlags);
    }
}

DWORD WINAPI CreditsScroller::timerMain(void* self) {
    static_cast<CreditsScroller*>(self)->runTimer();
    --runningTimerThreads_;
    return 0;
}

void CreditsScroller::runTimer() {
    while (WaitForSingleObject(stopTimer_.get(), kInterval) == WAIT_TIMEOUT) {
        std::lock_guard picture(pictureLock_);
        position_ = credits::nextPosition(position_, credits::scrollRange(geometry_));
        drawFrame();
        if (picture_.empty()) continue;
        std::lock_guard panel(panelLock_);
        win::WindowDC dc(handle());
        BitBlt(dc.get(), area_.left, area_.top, area_.width, area_.height, picture_.dc(), 0, 0,
               SRCCOPY);
    }
}

RECT CreditsScroller::opaqueArea() const {
    std::lock_guard picture(pictureLock_);
    if (picture_.empty()) return {};
    return {area_.left, area_.top, area_.left + area_.width, area_.top + area_.height};
}

void CreditsScroller::paint(HDC dc, const RECT&) {
    std::lock_guard picture(pictureLock_);
    std::lock_guard panel(panelLock_);
    if (picture_.empty()) return;
    BitBlt(dc, area_.left, area_.top, area_.width, area_.height, picture_.dc(), 0, 0, SRCCOPY);
}

LRESULT CreditsScroller::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (active()) {
                std::lock_guard picture(pictureLock_);
                prepare();
            }
            break;
        default:
            break;
    }
    return PaintedControl::handleMessage(message, wParam, lParam);
}

}  // namespace vps
