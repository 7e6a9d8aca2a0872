// The selection's aiming aids on screen: the size readout and the magnifier, drawn over the
// frozen screen as the window paints, never into its picture.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/SelectionAids.h"
#include "win/Bitmap.h"
#include "win/Gdi.h"

namespace vps {

class SelectionAidsView {
public:
    // Places the aids for `state` over a client area of `bounds` at `dpi`, magnifying
    // `snapshot` (not owned; it must outlive the aids' showing). Returns the areas to repaint:
    // where the aids were and where they are now.
    std::array<RECT, 4> show(const AidState& state, Size bounds, int dpi,
                             const win::Bitmap& snapshot);
    // Takes the aids away; returns where they were, to repaint.
    std::array<RECT, 2> hide();

    bool shown() const { return snapshot_ != nullptr; }
    // The magnifier's and the readout's boxes, in client pixels; empty while hidden.
    std::array<RECT, 2> areas() const;
    const AidPlacement& placement() const { return placement_; }
    const std::string& readoutText() const { return text_; }
    // The width of one magnified pixel, in client pixels.
    int cell() const { return metrics_.cell; }

    // Draws both aids; paint the window's picture elsewhere first.
    void paint(HDC dc) const;

private:
    void paintMagnifier(HDC dc) const;
    void paintReadout(HDC dc) const;
    void makeFontFor(int dpi);

    const win::Bitmap* snapshot_ = nullptr;
    AidMetrics metrics_;
    AidPlacement placement_;
    MagnifiedSource source_;
    std::string text_;
    win::Font font_;
    int fontDpi_ = 0;
    // Holds the readout's font for measuring its text at every move: asking the window for a
    // DC each time would cost more than the rest of the move.
    win::MemoryDC measuring_;
};

}  // namespace vps
