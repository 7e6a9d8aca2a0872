// The area selection window fmSelectedArea: the frozen screen at full size, a rectangle drawn and
// adjusted over it.
#pragma once

#include <optional>

#include "capture/ScreenSnapshot.h"
#include "capture/SelectionAidsView.h"
#include "capture/uAnimatedRectangle.h"
#include "core/AreaRect.h"
#include "core/AreaSelection.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/Image.h"

namespace vps {

// The selection's drawing surface. It keeps the keyboard focus while a selection runs and wants
// the arrow keys and every other key for itself; Enter and Escape still go to the form's hidden
// default and cancel buttons. Its aids are painted over the picture, never into it, so the
// picture stays the snapshot with the outline and nothing else.
class SelectionImage : public win::Image {
public:
    using win::Image::Image;

    SelectionAidsView Aids;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool handleKey(const win::KeyEvent& key) override;
    void paint(HDC dc, const RECT& client) override;
};

// The full-screen window in which a rectangle is drawn by hand over the frozen screen. Hidden
// except while a selection runs.
class TfmSelectedArea : public win::Form {
public:
    TfmSelectedArea();

    // Runs one selection over the snapshot, shown exactly over `captured` (the screen area it was
    // taken of), and returns the confirmed rectangle in order, in screen coordinates; the
    // captured area's top-left pixel when it was cancelled or the application is ending.
    // Returns only then.
    AreaRect SelectArea(ScreenSnapshot& snapshot, const AreaRect& captured);
    // Over the primary screen.
    AreaRect SelectArea(ScreenSnapshot& snapshot);

    // Wipes the previous outline with the snapshot and outlines the corners as they stand.
    void RedrawSelection();
    // True from the start of SelectArea until it returns.
    bool selecting() const { return ShownSnapshot != nullptr; }
    // Ends a running selection as cancelled; SelectArea returns as soon as its loop looks again.
    void CancelSelection() { Selection.Cancelled = true; }

    // Not owned; set only while a selection runs.
    ScreenSnapshot* ShownSnapshot = nullptr;
    AreaSelection Selection;

    SelectionImage Image;
    win::PushButton buOK;
    win::PushButton buCancel;

private:
    void FormCreate();
    void FormMouseDown(const win::MouseEvent& event);
    void FormMouseMove(const win::MouseEvent& event);
    void FormMouseUp(const win::MouseEvent& event);
    void FormKeyDown(const win::KeyEvent& key);
    void buOKClick();
    void buCancelClick();
    void showHelpTopic();

    void carryOut(const SelectionResponse& response);
    void moveAids();
    void paintSnapshot();
    bool snapshotCoversThePicture() const;
    void showOverTheScreen(const AreaRect& captured);
    // The selection's own coordinates are the snapshot's: the window's client area.
    Size selectionBounds() const;
    void waitForTheEnd();
    void endSelection(HCURSOR rememberedCursor);

    // The outline now drawn into the picture, so a redraw wipes just that with the snapshot.
    std::optional<OutlineRectangle> drawnOutline_;
    // Where the pointer was last seen, in client pixels: the aids follow it, and keys that move
    // the rectangle update the readout beside it.
    SelectionPoint pointer_;
};

inline TfmSelectedArea* fmSelectedArea = nullptr;

}  // namespace vps
