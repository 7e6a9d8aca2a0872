#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Anchors.h"
#include "core/DpiScale.h"
#include "win/Component.h"
#include "win/Gdi.h"

namespace win {

using vps::layout::Anchors;
using Box = vps::layout::Box;

class Control;

struct MouseEvent {
    enum class Button { None, Left, Right, Middle };
    Button button = Button::None;
    int x = 0;  // signed client coordinates: a captured drag can leave the window
    int y = 0;
    bool ctrl = false;
    bool shift = false;
    bool doubleClick = false;
};

// A font drawn to the design of a 96-DPI screen, made again at the DPI of the window it serves.
struct FontDescription {
    std::string face = "Arial";
    int height = 11;  // character height in design pixels
    int weight = FW_NORMAL;
    BYTE charset = DEFAULT_CHARSET;
    BYTE pitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    bool italic = false;
    bool underline = false;
};

// The font of that description at `dpi`.
Font createFont(const FontDescription& description, int dpi);

// The whole text of any window, ours or another program's, however long, as UTF-8.
std::string windowText(HWND window);

// A system cursor or icon (IDC_ARROW, IDI_ERROR, ...): the headers spell these for the ...A calls,
// the number inside is the same for the ...W calls.
inline const wchar_t* systemResource(const char* id) {
    return MAKEINTRESOURCEW(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)));
}

struct KeyEvent {
    WPARAM key = 0;         // the virtual-key code
    bool repeated = false;  // sent again because the key is held down
    bool system = false;    // WM_SYSKEYDOWN: a key pressed with Alt held, or F10
};

// Base of every window of the program: our own window classes and the standard controls we
// wrap alike. The object is found from its handle through a window property, every message is
// dispatched to one virtual handler, and an exception that leaves a handler is caught here and
// shown to the user (see Application), so no exception ever unwinds through the system's code.
//
// Clean-up belongs in destructors, never in a WM_DESTROY handler: the window is destroyed by
// ~Window, after the derived part of the object has already ended, so WM_DESTROY and
// WM_NCDESTROY only ever reach this base. A derived class that must stop something before its
// window goes (a thread drawing on it, a timer) does so in its own destructor.
class Window : public Component {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return hwnd_; }
    const std::string& name() const { return name_; }
    const std::string& componentName() const override { return name_; }
    // No persisted properties unless a control names some.
    std::optional<PropertyAccess> property(std::string_view) override { return std::nullopt; }
    static Window* fromHandle(HWND hwnd);

    // The help topic of this window; 0 means "use the nearest enclosing window's".
    int helpContext() const { return helpContext_; }
    void setHelpContext(int context) { helpContext_ = context; }
    int effectiveHelpContext() const;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    Window* parentWindow() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }

    Box bounds() const;  // outer bounds, relative to the parent's client area (or the screen)
    int clientWidth() const;
    int clientHeight() const;

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    std::string text() const;
    void setText(const std::string& text);

    HFONT font() const;  // own font, else the parent's
    void setFont(HFONT font);
    // A font of the window's own, kept at the window's DPI when that changes.
    void setFont(const FontDescription& description);

    // The DPI of the monitor the window is on; the design sizes of the window tables are for 96.
    int dpi() const { return dpi_; }
    int scaled(int designValue) const { return vps::dpi::scale(designValue, dpi_); }
    Box scaled(const Box& design) const { return vps::dpi::scale(design, dpi_); }

    void invalidate();
    void refresh();  // repaint now
    // Only these parts, in client coordinates: a picture changed in a few places repaints in a
    // few places, which matters for a control the size of the screen.
    void invalidate(std::span<const RECT> areas);
    void refresh(std::span<const RECT> areas);

    std::function<void(const MouseEvent&)> OnMouseDown;
    std::function<void(const MouseEvent&)> OnMouseMove;
    std::function<void(const MouseEvent&)> OnMouseUp;
    // A key pressed while the window has the focus, and again each time it repeats.
    std::function<void(const KeyEvent&)> OnKeyDown;

protected:
    explicit Window(std::string name, Window* parent = nullptr);

    // Sets the DPI a window without a parent is made for, before it is created.
    void setInitialDpi(int dpi) { dpi_ = dpi; }
    // Takes the DPI of another monitor for this window and everything in it: fonts are made
    // again, each control's design place is scaled anew. The caller then sizes the window and
    // lays it out again (relayoutTree).
    void applyDpi(int dpi);
    // What a window keeps in pixels of the old DPI, converted to the new one.
    virtual void dpiChanged(int oldDpi);
    // Lays out every window of the tree again, also those whose own size did not change.
    void relayoutTree();

    // Creates a window of one of our own classes (registered on first use). A control's bounds
    // are design bounds, scaled here to its DPI; a top-level window's are in pixels.
    void createOwn(const char* className, UINT classStyle, DWORD style, DWORD exStyle,
                   HWND parentOrOwner, const Box& bounds, const std::string& caption);
    // Creates and subclasses a standard control (BUTTON, STATIC, ...).
    void createStandard(const char* className, DWORD style, DWORD exStyle, HWND parent,
                        const Box& bounds, const std::string& caption, int id);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's own use of a key, after OnKeyDown has heard it. True keeps the key from the
    // default handling.
    virtual bool handleKey(const KeyEvent& key);

    // A notification that this control sent to its parent, handed back to it.
    virtual std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam);

    // Where aligned children go; the client area less any border the window draws itself.
    virtual RECT contentRect() const;
    virtual void layoutChildren();

private:
    friend class Control;

    static LRESULT CALLBACK ownWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK standardSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> reflectToChild(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd);
    void detach();
    void applyDpi(int dpi, HFONT parentOldFont, HFONT parentNewFont);
    Box placedBounds(const Box& bounds) const;

    std::string name_;
    Window* parent_;
    std::vector<Control*> children_;
    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    HFONT font_ = nullptr;
    std::optional<FontDescription> fontDescription_;
    Font ownFont_;
    int dpi_;
    int helpContext_ = 0;
    int tag_ = 0;
};

}  // namespace win
