#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/CreditsScroll.h"
#include "win/Bitmap.h"
#include "win/Gdi.h"
#include "win/UniqueHandle.h"
#include "win/PaintedControl.h"

namespace vps {

// The panel that rolls the credits upwards while it is active: centred lines in raised letters on
// a pale blue ground, starting again from below once the last line has left.
//
// An active scroller has a timer thread of its own that advances the text every 15 ms and draws
// the frame itself, without passing through the user-interface thread: it draws into an
// off-screen picture and copies that onto the panel, holding the picture's lock and then the
// panel's lock, which painting on the user-interface thread takes in the same order.
class CreditsScroller : public win::PaintedControl {
public:
    static constexpr DWORD kInterval = 15;  // milliseconds per one-pixel step
    static constexpr COLORREF kBackground = RGB(240, 251, 255);

    CreditsScroller(win::Window& parent, const win::ControlDescription& description);
    // Stops the timer thread of an active scroller before the panel goes.
    ~CreditsScroller() override;

    const std::vector<std::string>& lines() const { return lines_; }
    // While active the text starts again from below.
    void setLines(std::vector<std::string> lines);

    bool active() const { return static_cast<bool>(timerThread_); }
    // Off joins the timer thread and releases the off-screen picture before it returns.
    void setActive(bool active);

    // What the last frame was drawn with, for those who watch the scroller.
    int position() const;
    int lineHeight() const;
    int scrollRange() const;
    credits::Area textArea() const;

    // Timer threads of all scrollers of the process that have not ended yet.
    static int runningTimerThreads() { return runningTimerThreads_; }

protected:
    void paint(HDC dc, const RECT& client) override;
    RECT opaqueArea() const override;
    HBRUSH background(HDC) override { return background_.get(); }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void activate();
    void deactivate();
    // Measures the lines and the panel and makes a fresh off-screen picture. Picture lock held.
    void prepare();
    // Draws the frame at the current position into the off-screen picture. Picture lock held.
    void drawFrame();

    static DWORD WINAPI timerMain(void* self);
    void runTimer();

    win::Font font_;
    win::Brush background_;
    std::vector<std::string> lines_;

    // The picture's lock guards everything the timer thread reads or writes below, and the
    // lines while they change.
    mutable std::mutex pictureLock_;
    std::mutex panelLock_;
    int position_ = 0;
    credits::Geometry geometry_;
    credits::Area area_;
    win::Bitmap picture_;  // declared after the font: its DC lets go of the font before it dies

    win::Handle stopTimer_;
    win::Handle timerThread_;
    static inline std::atomic<int> runningTimerThreads_ = 0;
};

}  // namespace vps
