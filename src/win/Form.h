#pragma once

#include <functional>
#include <map>
#include <string>

#include "win/Gdi.h"
#include "win/Window.h"

namespace win {

class MainMenu;
class PushButton;

// Sizes are design pixels, for a 96-DPI screen; the form scales them to the DPI of its monitor.
struct FormDescription {
    const char* className;  // the window class, by which other programs and tests find it
    std::string name;
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    DWORD exStyle = 0;
    SIZE minimumSize{0, 0};  // outer size the user cannot shrink it below
    HWND owner = nullptr;
    const char* fontFace = "Arial";
    int fontHeight = 11;  // character height in design pixels; the layout does not follow it
    bool dialogKeys = true;  // Tab, Enter, Escape and Alt+letter work as in a dialog
};

// A top-level window with the life of a form: it runs its show handler before it first appears,
// asks its close query before it closes, and a close of the application's main form ends the
// message loop while any other form only hides.
class Form : public Window {
public:
    explicit Form(const FormDescription& description);

    void show();
    void hide();
    void close();

    // Shows the form with its owner disabled and handles messages until a modal result is set;
    // a close by the close box or Alt+F4 answers IDCANCEL.
    int showModal();
    void setModalResult(int result) { modalResult_ = result; }
    bool isModal() const { return modal_; }

    // Outer bounds in screen coordinates, in pixels.
    void setScreenBounds(const Box& bounds);
    // Gives the form the outer size that leaves a client area of this design size at its DPI.
    void setDesignClientSize(int width, int height);
    SIZE designClientSize() const { return designClientSize_; }
    // Places the form over the middle of its owner, or of the work area without one.
    void centreOnOwner();
    void setMenu(MainMenu& menu);
    MainMenu* menu() const { return menu_; }
    void setCancelButton(PushButton* button) { cancelButton_ = button; }
    void setDefaultButton(PushButton* button) { defaultButton_ = button; }
    bool handlesDialogKeys() const { return dialogKeys_; }

    // A message of the form's own (a private message, WM_HOTKEY, ...): the handler's result is
    // the message's answer.
    void onMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

    std::function<void()> OnShow;
    std::function<void()> OnResize;
    std::function<bool()> OnCloseQuery;
    std::function<void()> OnClose;
    // F1, or the title bar's "?" followed by a click, on this form, one of its controls or an
    // item of its menu.
    std::function<void(const HELPINFO&)> OnHelp;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool handleCommand(WPARAM wParam, LPARAM lParam);
    void focusFirstControl();
    // The window has reached a monitor of another DPI; `suggested` is the outer rectangle
    // Windows proposes there.
    void moveToDpi(int dpi, const RECT& suggested);
    void fitClientTo(int width, int height);

    SIZE designClientSize_;
    SIZE minimumSize_;  // in design pixels
    bool dialogKeys_;
    MainMenu* menu_ = nullptr;
    PushButton* cancelButton_ = nullptr;
    PushButton* defaultButton_ = nullptr;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> messageHandlers_;
    bool modal_ = false;
    int modalResult_ = 0;
};

}  // namespace win
