// The area selection window fmSelectedArea: the frozen screen at full size, a rectangle drawn and
// adjusted over it.
#include "capture/uSelectArea.h"

#include "help/HelpViewer.h"
#include "capture/uAnimatedRectangle.h"
#include "win/Application.h"
#include "win/UniqueHandle.h"

namespace vps {

namespace {

constexpr int kHelpContext = 10000;

HCURSOR systemCursor(SelectionCursor cursor) {
    const char* id = IDC_CROSS;
    switch (cursor) {
        case SelectionCursor::SizeNorthWestSouthEast:
            id = IDC_SIZENWSE;
            break;
        case SelectionCursor::SizeNorthSouth:
            id = IDC_SIZENS;
            break;
        case SelectionCursor::SizeNorthEastSouthWest:
            id = IDC_SIZENESW;
            break;
        case SelectionCursor::SizeWestEast:
            id = IDC_SIZEWE;
            break;
        case SelectionCursor::Cross:
            id = IDC_CROSS;
            break;
        case SelectionCursor::Hand:
            id = IDC_HAND;
            break;
    }
    return LoadCursorW(nullptr, win::systemResource(id));
}

SelectionKey selectionKey(WPARAM key) {
    switch (key) {
        case VK_LEFT:
            return SelectionKey::Left;
        case VK_UP:
            return SelectionKey::Up;
        case VK_RIGHT:
            return SelectionKey::Right;
        case VK_DOWN:
            return SelectionKey::Down;
        default:
            return SelectionKey::Other;
    }
}

HWND ownerWindow() {
    win::Form* main = win::Application::mainForm();
    return main ? main->handle() : nullptr;
}

}  // namespace

LRESULT SelectionImage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // Everything but Enter and Escape: those the dialog manager turns into the hidden
            // buttons' clicks.
            return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
        case WM_SETCURSOR:
            // The cross-hair is the image's own cursor; an application-wide one still wins.
            if (!win::Application::cursorOverride() && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, win::systemResource(IDC_CROSS)));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return win::Image::handleMessage(message, wParam, lParam);
}

void SelectionImage::paint(HDC dc, const RECT& client) {
    if (!Aids.shown()) {
        win::Image::paint(dc, client);
        return;
    }
    // The picture goes around the aids, not under them: painting it there first would make
    // them flicker at every move.
    const int saved = SaveDC(dc);
    for (const RECT& area : Aids.areas()) {
        ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
    win::Image::paint(dc, client);
    RestoreDC(dc, saved);
    Aids.paint(dc);
}

// Keys with Alt, and F10, go on to the system as in any window (Alt+F4 among them).
bool SelectionImage::handleKey(const win::KeyEvent& key) {
    return !key.system;
}

TfmSelectedArea::TfmSelectedArea()
    : Form({.className = "TfmSelectedArea",
            .name = "fmSelectedArea",
            .caption = "Select Area",
            .clientWidth = 0,
            .clientHeight = 0,
            .style = WS_POPUP,
            .exStyle = WS_EX_TOPMOST,
            .owner = ownerWindow()}),
      Image(*this, {.name = "Image", .bounds = {0, 0, 0, 0}}, RGB(0, 0, 0)),
      buOK(*this, {.name = "buOK", .bounds = {0, 0, 75, 25}, .caption = "OK"},
           {.tabStop = false, .isDefault = true}),
      buCancel(*this, {.name = "buCancel", .bounds = {80, 0, 75, 25}, .caption = "Cancel"},
               {.tabStop = false}) {
    setHelpContext(kHelpContext);
    FormCreate();
}

void TfmSelectedArea::FormCreate() {
    // Never seen, but still pressed by Enter and Escape.
    buOK.setBounds({0, 0, scaled(75), 0});
    buCancel.setBounds({scaled(80), 0, scaled(75), 0});
    setDefaultButton(&buOK);
    setCancelButton(&buCancel);
    Image.setAlign(win::Align::Client);

    buOK.OnClick = [this] { buOKClick(); };
    buCancel.OnClick = [this] { buCancelClick(); };
    for (win::Window* surface :
         {static_cast<win::Window*>(this), static_cast<win::Window*>(&Image)}) {
        surface->OnMouseDown = [this](const win::MouseEvent& event) { FormMouseDown(event); };
        surface->OnMouseMove = [this](const win::MouseEvent& event) { FormMouseMove(event); };
        surface->OnMouseUp = [this](const win::MouseEvent& event) { FormMouseUp(event); };
    }
    Image.OnKeyDown = [this](const win::KeyEvent& key) { FormKeyDown(key); };
    OnHelp = [this](const HELPINFO&) { showHelpTopic(); };
    // Alt+F4 or another program's WM_CLOSE would only hide the window and leave the selection
    // loop running unseen, with every hot key ignored until it ends: a close is a cancel.
    OnClose = [this] { CancelSelection(); };
    // Keys reach FormKeyDown only through the image, so the image takes any focus the form gets.
    onMessage(WM_SETFOCUS, [this](WPARAM, LPARAM) {
        SetFocus(Image.handle());
        return 0;
    });
}

AreaRect TfmSelectedArea::SelectArea(ScreenSnapshot& snapshot, const AreaRect& captured) {
    Selection.reset();
    ShownSnapshot = &snapshot;
    const HCURSOR rememberedCursor = win::Application::cursorOverride();
    {
        const win::ScopeExit end([&] { endSelection(rememberedCursor); });
        showOverTheScreen(captured);
        waitForTheEnd();
    }
    if (win::Application::terminated()) return toScreen({}, captured);
    return toScreen(Selection.result(), captured);
}

AreaRect TfmSelectedArea::SelectArea(ScreenSnapshot& snapshot) {
    const Size screen = primaryScreenSize();
    return SelectArea(snapshot, {0, 0, screen.width - 1, screen.height - 1});
}

void TfmSelectedArea::showOverTheScreen(const AreaRect& captured) {
    // Exactly over the captured area, wherever on the desktop it lies, so every pixel of the
    // picture sits where it was taken.
    const Size screen{static_cast<std::int32_t>(captured.width()), static_cast<std::int32_t>(captured.height())};
    setScreenBounds({captured.Left, captured.Top, screen.width, screen.height});
    Image.setPicture(win::Bitmap(screen.width, screen.height));
    paintSnapshot();
    show();
    SetForegroundWindow(handle());
    SetFocus(Image.handle());
    // The aids show from the start, where the pointer already is.
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(Image.handle(), &at);
    pointer_ = {at.x, at.y};
    moveAids();
}

Size TfmSelectedArea::selectionBounds() const {
    return {Image.picture().width(), Image.picture().height()};
}

void TfmSelectedArea::waitForTheEnd() {
    while (!win::Application::terminated() && !Selection.ended()) {
        // Sleep until something arrives instead of polling: the outline's steps and every input
        // are messages, so nothing is missed, and an idle selection costs no processor time.
        // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-msgwaitformultipleobjectsex
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        win::Application::processMessages();
    }
}

void TfmSelectedArea::endSelection(HCURSOR rememberedCursor) {
    if (fmAnimatedRectangle) fmAnimatedRectangle->StopOutline();
    ShownSnapshot = nullptr;
    win::Application::setCursorOverride(rememberedCursor);
    if (GetCapture() == Image.handle()) ReleaseCapture();
    Image.Aids.hide();
    hide();
    // A copy of the whole screen is too large to keep between selections.
    Image.setPicture(win::Bitmap());
}

bool TfmSelectedArea::snapshotCoversThePicture() const {
    const win::Bitmap& surface = Image.picture();
    return ShownSnapshot && ShownSnapshot->width() >= surface.width() &&
           ShownSnapshot->height() >= surface.height();
}

void TfmSelectedArea::paintSnapshot() {
    drawnOutline_.reset();
    const win::Bitmap& surface = Image.picture();
    if (surface.empty()) return;
    // A snapshot smaller than the screen (the display changed since it was taken) leaves black.
    if (!snapshotCoversThePicture()) {
        PatBlt(surface.dc(), 0, 0, surface.width(), surface.height(), BLACKNESS);
    }
    if (ShownSnapshot && !ShownSnapshot->empty()) {
        BitBlt(surface.dc(), 0, 0, ShownSnapshot->width(), ShownSnapshot->height(),
               ShownSnapshot->dc(), 0, 0, SRCCOPY);
    }
    Image.invalidate();
}

void TfmSelectedArea::RedrawSelection() {
    fmAnimatedRectangle->StopOutline();
    if (drawnOutline_ && snapshotCoversThePicture()) {
        // Only the old outline goes back to the snapshot's pixels: copying the whole screen at
        // every mouse move is what would make a drag lag behind the pointer.
        const auto edges = OutlineEdgeRects(*drawnOutline_);
        const win::Bitmap& surface = Image.picture();
        for (const RECT& edge : edges) {
            BitBlt(surface.dc(), edge.left, edge.top, edge.right - edge.left, edge.bottom - edge.top,
                   ShownSnapshot->dc(), edge.left, edge.top, SRCCOPY);
        }
        Image.invalidate(edges);
    } else {
        paintSnapshot();
    }
    const AreaRect corners = Selection.corners();
    drawnOutline_ = OutlineRectangle{corners.Left, corners.Top, corners.Right, corners.Bottom};
    fmAnimatedRectangle->StartOutline(*drawnOutline_, Image);
}

void TfmSelectedArea::carryOut(const SelectionResponse& response) {
    if (response.cursor) win::Application::setCursorOverride(systemCursor(*response.cursor));
    if (response.refusedClick) MessageBeep(0);
    // Before the redraw, whose repaint then brings the aids' new place along in the same pass.
    moveAids();
    if (response.redraw) RedrawSelection();
    if (response.refusedClick) showHelpTopic();
}

void TfmSelectedArea::moveAids() {
    if (!ShownSnapshot || ShownSnapshot->empty()) return;
    const Size bounds{Image.clientWidth(), Image.clientHeight()};
    // Only the aids' old and new places are repainted, as the outline repaints only its edges.
    Image.invalidate(
        Image.Aids.show(aidStateOf(Selection, pointer_, bounds), bounds, Image.dpi(), *ShownSnapshot));
}

void TfmSelectedArea::FormMouseDown(const win::MouseEvent& event) {
    pointer_ = {event.x, event.y};
    const bool left = event.button == win::MouseEvent::Button::Left;
    const SelectionResponse response =
        Selection.mouseDown(left, {event.x, event.y}, selectionBounds());
    // Held for the whole drag, so a pointer carried onto another monitor still reports its moves
    // and its release here.
    if (Selection.Dragging && left) SetCapture(Image.handle());
    carryOut(response);
}

void TfmSelectedArea::FormMouseMove(const win::MouseEvent& event) {
    pointer_ = {event.x, event.y};
    carryOut(Selection.mouseMove({event.x, event.y}, selectionBounds()));
}

void TfmSelectedArea::FormMouseUp(const win::MouseEvent& event) {
    pointer_ = {event.x, event.y};
    if (GetCapture() == Image.handle()) ReleaseCapture();
    carryOut(Selection.mouseUp());
}

void TfmSelectedArea::FormKeyDown(const win::KeyEvent& key) {
    if (key.system) return;
    const KeyModifiers modifiers{.shift = GetKeyState(VK_SHIFT) < 0,
                                 .ctrl = GetKeyState(VK_CONTROL) < 0};
    carryOut(Selection.keyDown(selectionKey(key.key), modifiers, selectionBounds()));
}

void TfmSelectedArea::buOKClick() {
    Selection.Confirmed = true;
}

void TfmSelectedArea::buCancelClick() { CancelSelection(); }

void TfmSelectedArea::showHelpTopic() {
    showHelp(handle(), win::Application::helpFile(), HELP_CONTEXT, kHelpContext);
}

}  // namespace vps
