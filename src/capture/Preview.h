#pragma once

#include <cstdint>
#include <future>
#include <vector>

#include "capture/ScreenSnapshot.h"
#include "win/Image.h"

// The miniature of the frozen screen inside the monitor drawing.
namespace vps {

// Quick: the whole snapshot point-sampled onto a new picture of the image's size. Used while
// the window appears, where speed matters more than looks.
void drawQuickPreview(const ScreenSnapshot& snapshot, win::Image& image);

// Smooth: the whole snapshot reduced with the linear (tent) filter, so every screen pixel
// counts. Filtered once per snapshot and size, then copied out: an activation asks for it on
// every show, resize and change of area, and the filter over every screen pixel is what costs.
// The image gets a copy because the outline draws over it.
class SmoothPreview {
public:
    SmoothPreview() = default;
    SmoothPreview(const SmoothPreview&) = delete;
    SmoothPreview& operator=(const SmoothPreview&) = delete;
    ~SmoothPreview() { forget(); }

    // Starts filtering the snapshot for a miniature of this size on a thread of its own, so a
    // window can be shown meanwhile; the next draw of that size waits for it. The snapshot
    // must stay as it is until then, or until forget().
    void prepare(const ScreenSnapshot& snapshot, int width, int height);
    // Call whenever the snapshot is taken again or freed, before it changes: waits for a filter
    // still reading it, and the next draw filters afresh.
    void forget();
    // Whether a filter started by prepare() still waits for its draw.
    bool pending() const { return pending_.valid(); }
    void draw(const ScreenSnapshot& snapshot, win::Image& image);

private:
    // What a filter started by prepare() gives: the miniature's pixels and their size.
    struct Filtered {
        std::vector<std::uint32_t> pixels;
        int width = 0;
        int height = 0;
    };
    std::future<Filtered> pending_;
    win::Bitmap made_;
};

}  // namespace vps
