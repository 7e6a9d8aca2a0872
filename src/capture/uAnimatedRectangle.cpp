// The marching outline: its holder window fmAnimatedRectangle and the worker thread
// TAnimatedRectThd that paces it.
#include "capture/uAnimatedRectangle.h"

#include "core/AreaGeometry.h"
#include "win/Error.h"

namespace vps {

namespace {

constexpr DWORD kStepInterval = 50;
constexpr DWORD kPollInterval = 10;

// One edge of the outline: which coordinate the dot test reads.
struct EdgeWalk {
    HDC dc;
    bool testsX;
};

void CALLBACK MarchPixel(int x, int y, LPARAM context) {
    const auto* walk = reinterpret_cast<const EdgeWalk*>(context);
    const int v = walk->testsX ? x : y;
    SetPixelV(walk->dc, x, y, v % 10 == Phase ? RGB(0, 0, 0) : RGB(255, 255, 255));
}

win::Handle createEvent(bool manualReset = false) {
    win::Handle event(CreateEventW(nullptr, manualReset, FALSE, nullptr));
    if (!event) win::raiseLastOSError();
    return event;
}

}  // namespace

std::array<RECT, 4> OutlineEdgeRects(const OutlineRectangle& rect) {
    std::array<RECT, 4> rects{};
    const auto edges = outlineEdges({rect.left, rect.top, rect.right, rect.bottom});
    for (std::size_t i = 0; i < edges.size(); ++i) {
        rects[i] = {edges[i].left, edges[i].top, edges[i].right, edges[i].bottom};
    }
    return rects;
}

TAnimatedRectThd::TAnimatedRectThd(TfmAnimatedRectangle& owner)
    : owner_(owner),
      stepRequested_(createEvent()),
      stepDone_(createEvent()),
      stopRequested_(createEvent(true)) {}

TAnimatedRectThd::~TAnimatedRectThd() {
    if (thread_) {
        terminate();
        waitFor();
    }
}

void TAnimatedRectThd::terminate() {
    terminated_ = true;
    SetEvent(stopRequested_.get());
}

void TAnimatedRectThd::start() {
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    if (!thread_) win::raiseLastOSError();
}

DWORD WINAPI TAnimatedRectThd::threadMain(void* self) {
    static_cast<TAnimatedRectThd*>(self)->Execute();
    return 0;
}

void TAnimatedRectThd::Execute() {
    while (!terminated_) {
        // Elapsed time, not an absolute deadline: the tick count wraps every 49.7 days, and
        // unsigned subtraction stays right across the wrap.
        const DWORD started = GetTickCount();
        do {
            WaitForSingleObject(stopRequested_.get(), kPollInterval);
        } while (GetTickCount() - started < kStepInterval && !terminated_);
        synchronizeStep();
    }
}

void TAnimatedRectThd::synchronizeStep() {
    SetEvent(stepRequested_.get());
    PostMessageW(owner_.handle(), WM_OUTLINE_STEP, 0, 0);
    WaitForSingleObject(stepDone_.get(), INFINITE);
}

void TAnimatedRectThd::runPendingStep() {
    if (WaitForSingleObject(stepRequested_.get(), 0) != WAIT_OBJECT_0) return;
    owner_.OutlineStep();
    SetEvent(stepDone_.get());
}

void TAnimatedRectThd::waitFor() {
    if (!thread_) return;
    const HANDLE waits[] = {thread_.get(), stepRequested_.get()};
    for (;;) {
        const DWORD which = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (which == WAIT_OBJECT_0 + 1) {
            owner_.OutlineStep();
            SetEvent(stepDone_.get());
            continue;
        }
        break;
    }
    thread_.reset();
}

TfmAnimatedRectangle::TfmAnimatedRectangle()
    : Form({.className = "TfmAnimatedRectangle",
            .name = "fmAnimatedRectangle",
            .caption = "fmAnimatedRectangle",
            .style = WS_POPUP,
            .exStyle = WS_EX_TOOLWINDOW,
            .dialogKeys = false}) {
    onMessage(WM_OUTLINE_STEP, [this](WPARAM, LPARAM) {
        if (Worker) Worker->runPendingStep();
        return 0;
    });
}

TfmAnimatedRectangle::~TfmAnimatedRectangle() { FormDestroy(); }

void TfmAnimatedRectangle::FormDestroy() { StopOutline(); }

void TfmAnimatedRectangle::StartOutline(const OutlineRectangle& rect, win::Image& image) {
    StopOutline();
    Phase = 0;
    OutlineRect = rect;
    TargetImage = &image;
    Worker = std::make_unique<TAnimatedRectThd>(*this);
    OutlineStep();  // the first frame is on screen before this returns
    Worker->start();
}

void TfmAnimatedRectangle::StopOutline() {
    if (!Worker) return;
    Worker->terminate();
    Worker->waitFor();
    Worker.reset();
}

void TfmAnimatedRectangle::OutlineStep() {
    Phase = (Phase + 1) % 10;
    if (!TargetImage || TargetImage->picture().empty()) return;
    const HDC dc = TargetImage->picture().dc();
    const auto [L, T, R, B] = OutlineRect;
    EdgeWalk horizontal{dc, true};
    EdgeWalk vertical{dc, false};
    LineDDA(L, T, R, T, MarchPixel, reinterpret_cast<LPARAM>(&horizontal));
    LineDDA(R, T, R, B, MarchPixel, reinterpret_cast<LPARAM>(&vertical));
    LineDDA(L, T, L, B, MarchPixel, reinterpret_cast<LPARAM>(&vertical));
    LineDDA(L, B, R, B, MarchPixel, reinterpret_cast<LPARAM>(&horizontal));
    // Twenty steps a second over a picture as large as the screen: repainting only the edges
    // keeps a marching outline nearly free.
    TargetImage->refresh(OutlineEdgeRects(OutlineRect));
}

}  // namespace vps
