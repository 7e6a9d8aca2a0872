// The selection's aiming aids on screen: the size readout and the magnifier, drawn over the
// frozen screen as the window paints, never into its picture.
#include "capture/SelectionAidsView.h"

#include <algorithm>

#include "core/DpiScale.h"
#include "win/WideText.h"
#include "win/Window.h"

namespace vps {

namespace {

constexpr COLORREF kFrame = RGB(0, 0, 0);
constexpr COLORREF kMarkInner = RGB(255, 255, 255);
constexpr COLORREF kMarkOuter = RGB(0, 0, 0);
constexpr COLORREF kOutsideTheScreen = RGB(96, 96, 96);
constexpr COLORREF kReadoutBack = RGB(32, 32, 32);
constexpr COLORREF kReadoutText = RGB(255, 255, 255);
// Design pixels at 96 DPI: the readout's margins around its text.
constexpr int kReadoutMarginX = 5;
constexpr int kReadoutMarginY = 2;
constexpr int kDesignCell = 8;

RECT rectOf(const layout::Box& box) {
    return {box.left, box.top, box.left + box.width, box.top + box.height};
}

void fill(HDC dc, const RECT& area, COLORREF colour) {
    // ExtTextOut with an empty text is the cheapest solid fill GDI has: no brush to make.
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void frame(HDC dc, RECT area, int width, COLORREF colour) {
    const RECT sides[] = {
        {area.left, area.top, area.right, area.top + width},
        {area.left, area.bottom - width, area.right, area.bottom},
        {area.left, area.top, area.left + width, area.bottom},
        {area.right - width, area.top, area.right, area.bottom},
    };
    for (const RECT& side : sides) fill(dc, side, colour);
}

}  // namespace

void SelectionAidsView::makeFontFor(int dpi) {
    if (font_ && fontDpi_ == dpi) return;
    if (!measuring_) measuring_ = win::MemoryDC();
    // The old font must be out of the DC before it is deleted.
    SelectObject(measuring_.get(), GetStockObject(SYSTEM_FONT));
    font_ = win::createFont({.face = "Arial", .height = 12, .weight = FW_BOLD}, dpi);
    SelectObject(measuring_.get(), font_.get());
    fontDpi_ = dpi;
}

std::array<RECT, 4> SelectionAidsView::show(const AidState& state, Size bounds, int dpi,
                                            const win::Bitmap& snapshot) {
    const std::array<RECT, 2> before = areas();
    metrics_ = {.cell = dpi::scale(kDesignCell, dpi),
                .border = dpi::scale(1, dpi),
                .offset = dpi::scale(20, dpi),
                .spacing = dpi::scale(4, dpi)};
    makeFontFor(dpi);
    text_ = selectionReadout(state);
    SIZE extent{};
    const std::wstring measured = win::wide(text_);
    GetTextExtentPoint32W(measuring_.get(), measured.data(), static_cast<int>(measured.size()),
                          &extent);
    const Size readout{extent.cx + 2 * dpi::scale(kReadoutMarginX, dpi),
                       extent.cy + 2 * dpi::scale(kReadoutMarginY, dpi)};
    placement_ = placeSelectionAids(state, readout, metrics_, bounds);
    source_ = magnifiedSource(state.pointer, {snapshot.width(), snapshot.height()});
    snapshot_ = &snapshot;
    const std::array<RECT, 2> after = areas();
    return {before[0], before[1], after[0], after[1]};
}

std::array<RECT, 2> SelectionAidsView::hide() {
    const std::array<RECT, 2> before = areas();
    snapshot_ = nullptr;
    return before;
}

std::array<RECT, 2> SelectionAidsView::areas() const {
    if (!shown()) return {};
    return {rectOf(placement_.magnifier), rectOf(placement_.readout)};
}

void SelectionAidsView::paint(HDC dc) const {
    if (!shown()) return;
    paintMagnifier(dc);
    paintReadout(dc);
}

void SelectionAidsView::paintMagnifier(HDC dc) const {
    const RECT box = rectOf(placement_.magnifier);
    const int cell = metrics_.cell;
    const int innerLeft = box.left + metrics_.border;
    const int innerTop = box.top + metrics_.border;
    frame(dc, box, metrics_.border, kFrame);
    const layout::Box& pixels = source_.pixels;
    if (pixels.width < kMagnifiedPixels || pixels.height < kMagnifiedPixels) {
        // Beyond the snapshot's edge there is nothing to magnify.
        const RECT inner{innerLeft, innerTop, box.right - metrics_.border,
                         box.bottom - metrics_.border};
        fill(dc, inner, kOutsideTheScreen);
    }
    if (pixels.width > 0 && pixels.height > 0) {
        // Every magnified pixel a solid square of the snapshot's own colour: no smoothing, so a
        // corner can be put on exactly the pixel it shows.
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, innerLeft + source_.firstColumn * cell, innerTop + source_.firstRow * cell,
                   pixels.width * cell, pixels.height * cell, snapshot_->dc(), pixels.left,
                   pixels.top, pixels.width, pixels.height, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    // The cross-hair: lines through the middle row and column up to the pointer's pixel, which
    // itself stays visible inside a two-tone frame that shows on any colour.
    constexpr int kMiddle = kMagnifiedPixels / 2;
    const int line = metrics_.border;
    const RECT pixel{innerLeft + kMiddle * cell, innerTop + kMiddle * cell,
                     innerLeft + (kMiddle + 1) * cell, innerTop + (kMiddle + 1) * cell};
    const int midX = pixel.left + (cell - line) / 2;
    const int midY = pixel.top + (cell - line) / 2;
    const int reach = 2 * line;  // the frame around the pixel
    const RECT arms[] = {
        {midX, innerTop, midX + line, pixel.top - reach},
        {midX, pixel.bottom + reach, midX + line, box.bottom - metrics_.border},
        {innerLeft, midY, pixel.left - reach, midY + line},
        {pixel.right + reach, midY, box.right - metrics_.border, midY + line},
    };
    for (const RECT& arm : arms) fill(dc, arm, kMarkOuter);
    frame(dc, {pixel.left - line, pixel.top - line, pixel.right + line, pixel.bottom + line}, line,
          kMarkInner);
    frame(dc, {pixel.left - reach, pixel.top - reach, pixel.right + reach, pixel.bottom + reach},
          line, kMarkOuter);
}

void SelectionAidsView::paintReadout(HDC dc) const {
    RECT box = rectOf(placement_.readout);
    const win::SelectGuard useFont(dc, font_.get());
    SetTextColor(dc, kReadoutText);
    SetBkColor(dc, kReadoutBack);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const int marginX = dpi::scale(kReadoutMarginX, fontDpi_);
    const int marginY = dpi::scale(kReadoutMarginY, fontDpi_);
    const std::wstring shown = win::wide(text_);
    ExtTextOutW(dc, box.left + marginX, box.top + marginY, ETO_OPAQUE | ETO_CLIPPED, &box,
                shown.data(), static_cast<UINT>(shown.size()), nullptr);
}

}  // namespace vps
