#include "app/ContextHelp.h"

#include "help/HelpViewer.h"
#include "win/Application.h"
#include "win/Form.h"
#include "win/Menu.h"

namespace vps {

namespace {

int menuItemContext(HWND form, const HELPINFO& request) {
    auto* owner = dynamic_cast<win::Form*>(win::Window::fromHandle(form));
    win::MainMenu* menu = owner ? owner->menu() : nullptr;
    if (!menu) return 0;
    win::MenuItem* item = menu->findById(static_cast<UINT>(request.iCtrlId));
    if (!item) item = menu->findByHandle(static_cast<HMENU>(request.hItemHandle));
    return item ? item->helpContext() : 0;
}

}  // namespace

void installContextHelp() { win::Application::setHelpRequestHandler(answerHelpRequest); }

void answerHelpRequest(HWND form, const HELPINFO& request) {
    const std::string& file = win::Application::helpFile();
    if (request.iContextType == HELPINFO_MENUITEM) {
        if (const int context = menuItemContext(form, request)) {
            showHelp(form, file, HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context), request.MousePos);
        }
        return;
    }
    // Parts built from plain system windows (the buttons of a radio group) belong to the
    // nearest window of ours above them.
    HWND asked = static_cast<HWND>(request.hItemHandle);
    win::Window* window = nullptr;
    for (HWND h = asked; h && !window; h = GetParent(h)) window = win::Window::fromHandle(h);
    const int context = window ? window->effectiveHelpContext() : 0;
    if (context == 0) return;
    RECT bounds{};
    GetWindowRect(asked, &bounds);
    showHelp(form, file, HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context), POINT{bounds.left, bounds.top});
}

}  // namespace vps
