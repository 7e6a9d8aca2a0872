#include "win/Window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <set>
#include <string_view>

#include "win/Application.h"
#include "win/Control.h"
#include "win/Error.h"
#include "win/WideText.h"

namespace win {

namespace {

constexpr const wchar_t* kObjectProperty = L"VantaroWindowObject";

void registerClassOnce(const char* className, UINT classStyle, WNDPROC procedure) {
    static std::set<std::string, std::less<>> registered;
    if (registered.contains(std::string_view(className))) return;
    const std::wstring wideName = wide(className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, systemResource(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpszClassName = wideName.c_str();
    checkOS(RegisterClassExW(&wc));
    registered.emplace(className);
}

MouseEvent::Button buttonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return MouseEvent::Button::Left;
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return MouseEvent::Button::Right;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return MouseEvent::Button::Middle;
        default: return MouseEvent::Button::None;
    }
}

}  // namespace

Window::Window(std::string name, Window* parent)
    : name_(std::move(name)), parent_(parent), dpi_(parent ? parent->dpi_ : vps::dpi::kDesignDpi) {}

Window::~Window() {
    if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::fromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

int Window::effectiveHelpContext() const {
    for (const Window* w = this; w; w = w->parent_) {
        if (w->helpContext_ != 0) return w->helpContext_;
    }
    return 0;
}

void Window::attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProperty, this);
}

void Window::detach() {
    if (!hwnd_) return;
    RemovePropW(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
}

void Window::createOwn(const char* className, UINT classStyle, DWORD style, DWORD exStyle,
                       HWND parentOrOwner, const Box& bounds, const std::string& caption) {
    registerClassOnce(className, classStyle, ownWindowProc);
    const Box b = placedBounds(bounds);
    // The handle arrives with WM_NCCREATE, so the first messages already reach this object.
    CreateWindowExW(exStyle, wide(className).c_str(), wide(caption).c_str(), style, b.left, b.top,
                    b.width, b.height, parentOrOwner, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) raiseLastOSError();
}

void Window::createStandard(const char* className, DWORD style, DWORD exStyle, HWND parent,
                            const Box& bounds, const std::string& caption, int id) {
    const Box b = placedBounds(bounds);
    HWND hwnd = CreateWindowExW(exStyle, wide(className).c_str(), wide(caption).c_str(), style,
                                b.left, b.top, b.width, b.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) raiseLastOSError();
    attach(hwnd);
    subclassed_ = SetWindowSubclass(hwnd, standardSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

Box Window::placedBounds(const Box& bounds) const { return parent_ ? scaled(bounds) : bounds; }

LRESULT CALLBACK Window::ownWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->attach(hwnd);
    }
    if (Window* self = fromHandle(hwnd)) return self->dispatch(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::standardSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR reference) {
    auto* self = reinterpret_cast<Window*>(reference);
    if (self && self->hwnd_ == hwnd) return self->dispatch(message, wParam, lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const HWND hwnd = hwnd_;
        const LRESULT result = defaultHandling(message, wParam, lParam);
        if (subclassed_) RemoveWindowSubclass(hwnd, standardSubclassProc, 1);
        subclassed_ = false;
        detach();
        return result;
    }
    try {
        if (auto reflected = reflectToChild(message, wParam, lParam)) return *reflected;
        return handleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application::showException(error);
    } catch (...) {
        Application::showException(std::runtime_error("An unexpected error occurred."));
    }
    return 0;
}

std::optional<LRESULT> Window::reflectToChild(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        default:
            return std::nullopt;
    }
    Window* target = fromHandle(child);
    if (!target || target == this) return std::nullopt;
    return target->handleReflected(message, wParam, lParam);
}

std::optional<LRESULT> Window::handleReflected(UINT, WPARAM, LPARAM) { return std::nullopt; }

bool Window::handleKey(const KeyEvent&) { return false; }

bool Window::handleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseEvent event;
    event.button = buttonOf(message);
    event.x = GET_X_LPARAM(lParam);
    event.y = GET_Y_LPARAM(lParam);
    event.ctrl = (wParam & MK_CONTROL) != 0;
    event.shift = (wParam & MK_SHIFT) != 0;
    switch (message) {
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
            event.doubleClick = true;
            [[fallthrough]];
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(event);
            return true;
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
            if (OnMouseUp) OnMouseUp(event);
            return true;
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(event);
            return true;
        default:
            return false;
    }
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            layoutChildren();
            break;
        case WM_SETFONT:
            if (!subclassed_) font_ = reinterpret_cast<HFONT>(wParam);
            break;
        case WM_SETCURSOR:
            if (HCURSOR cursor = Application::cursorOverride()) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // Bit 30 of the key data holds the key's previous state: down means a repeat.
            const KeyEvent key{.key = wParam,
                               .repeated = (lParam & (1 << 30)) != 0,
                               .system = message == WM_SYSKEYDOWN};
            if (OnKeyDown) OnKeyDown(key);
            if (handleKey(key)) return 0;
            break;
        }
        default:
            handleMouse(message, wParam, lParam);
            break;
    }
    return defaultHandling(message, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return DefSubclassProc(hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

RECT Window::contentRect() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect;
}

void Window::layoutChildren() {
    const RECT content = contentRect();
    for (Control* child : children_) child->followParent(clientWidth(), clientHeight(), content);
}

Box Window::bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int Window::clientWidth() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.right;
}

int Window::clientHeight() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

bool Window::visible() const {
    return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Window::setVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

bool Window::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Window::setEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

std::string windowText(HWND window) {
    // The length asked first is only a hint: another program's window can retitle itself
    // between the two calls. A text that filled the buffer may have been cut, so it is read
    // again with more room until some is left over (one unit beyond the terminating NUL).
    std::wstring text(static_cast<std::size_t>(std::max(GetWindowTextLengthW(window), 0)) + 2,
                      L'\0');
    for (;;) {
        const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        if (copied <= 0) return {};
        if (static_cast<std::size_t>(copied) + 1 < text.size()) {
            text.resize(static_cast<std::size_t>(copied));
            return narrow(text);
        }
        text.resize(text.size() * 2);
    }
}

std::string Window::text() const {
    return windowText(hwnd_);
}

void Window::setText(const std::string& text) {
    SetWindowTextW(hwnd_, wide(text).c_str());
}

HFONT Window::font() const {
    for (const Window* w = this; w; w = w->parent_) {
        if (w->font_) return w->font_;
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Window::setFont(HFONT font) {
    // A font handed over as a handle stays what it is; its owner decides about other DPIs.
    // ownFont_ stays alive: children may still use it until they are given this one.
    fontDescription_.reset();
    font_ = font;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

Font createFont(const FontDescription& d, int dpi) {
    return Font(CreateFontW(-vps::dpi::scale(d.height, dpi), 0, 0, 0, d.weight, d.italic,
                            d.underline, FALSE, d.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, d.pitchAndFamily, wide(d.face).c_str()));
}

void Window::setFont(const FontDescription& description) {
    Font made = createFont(description, dpi_);
    setFont(made.get());
    fontDescription_ = description;
    ownFont_ = std::move(made);
}

void Window::applyDpi(int dpi) {
    const HFONT inherited = parent_ ? parent_->font() : nullptr;
    applyDpi(dpi, inherited, inherited);
}

void Window::applyDpi(int dpi, HFONT parentOldFont, HFONT parentNewFont) {
    const HFONT oldFont = font_ ? font_ : parentOldFont;
    const int oldDpi = dpi_;
    dpi_ = dpi;
    Font previous;  // kept alive until every child has let go of it
    if (fontDescription_) {
        previous = std::move(ownFont_);
        ownFont_ = createFont(*fontDescription_, dpi);
        font_ = ownFont_.get();
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    } else if (parent_ && (!font_ || font_ == parentOldFont)) {
        // A font taken over from the parent follows the parent's new one.
        if (font_) font_ = parentNewFont;
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(parentNewFont), FALSE);
    }
    if (oldDpi != dpi) dpiChanged(oldDpi);
    const HFONT newFont = font_ ? font_ : parentNewFont;
    for (Control* child : children_) child->applyDpi(dpi, oldFont, newFont);
}

void Window::dpiChanged(int) {}

void Window::relayoutTree() {
    layoutChildren();
    for (Control* child : children_) child->relayoutTree();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }

void Window::refresh() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Window::invalidate(std::span<const RECT> areas) {
    for (const RECT& area : areas) InvalidateRect(hwnd_, &area, TRUE);
}

void Window::refresh(std::span<const RECT> areas) {
    invalidate(areas);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace win
