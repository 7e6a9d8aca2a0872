// The marching outline: its holder window fmAnimatedRectangle and the worker thread
// TAnimatedRectThd that paces it.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "win/Form.h"
#include "win/Image.h"
#include "win/UniqueHandle.h"

namespace vps {

// The rectangle an outline runs along, in the target image's pixels; corners in any order.
struct OutlineRectangle {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The image's parts an outline along `rect` touches, to repaint just those.
std::array<RECT, 4> OutlineEdgeRects(const OutlineRectangle& rect);

// Where the black dots stand, 0..9: the process's one outline shares it.
inline int Phase = 0;

class TfmAnimatedRectangle;

// The worker that paces an outline: about every 50 ms it has the user-interface thread draw one
// step and waits until that step has run. It never touches the outline's state itself.
class TAnimatedRectThd {
public:
    explicit TAnimatedRectThd(TfmAnimatedRectangle& owner);
    TAnimatedRectThd(const TAnimatedRectThd&) = delete;
    TAnimatedRectThd& operator=(const TAnimatedRectThd&) = delete;
    ~TAnimatedRectThd();

    void start();
    void terminate();
    // Waits for the thread to end, running on the calling (user-interface) thread any step the
    // worker hands over meanwhile, so stopping never deadlocks.
    void waitFor();
    // Runs the step the worker is waiting for, if any. User-interface thread only.
    void runPendingStep();

private:
    static DWORD WINAPI threadMain(void* self);
    void Execute();
    void synchronizeStep();

    TfmAnimatedRectangle& owner_;
    std::atomic<bool> terminated_ = false;
    win::Handle stepRequested_;
    win::Handle stepDone_;
    // Set with terminated_, so a worker between two polls wakes at once instead of finishing
    // its 10 ms: a drag stops and restarts the outline at every mouse move.
    win::Handle stopRequested_;
    win::Handle thread_;
};

// Holder of the program's one marching outline: a white line with a black dot every tenth pixel
// that creeps along the rectangle. The window is never shown; it receives the worker's requests
// as messages, so the steps run in every message loop of the program.
class TfmAnimatedRectangle : public win::Form {
public:
    TfmAnimatedRectangle();
    ~TfmAnimatedRectangle() override;

    // Stops any running outline, draws the first frame of the new one and keeps it marching.
    void StartOutline(const OutlineRectangle& rect, win::Image& image);
    // Returns once the worker has ended; the pixels drawn so far stay in the image.
    void StopOutline();
    // Advances Phase and draws the outline once.
    void OutlineStep();

    bool running() const { return Worker != nullptr; }

    OutlineRectangle OutlineRect;
    win::Image* TargetImage = nullptr;
    std::unique_ptr<TAnimatedRectThd> Worker;

private:
    void FormDestroy();
};

inline TfmAnimatedRectangle* fmAnimatedRectangle = nullptr;

// The message the worker posts to the holder for one step.
inline constexpr UINT WM_OUTLINE_STEP = WM_APP + 1;

}  // namespace vps
