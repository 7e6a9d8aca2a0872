// The numbered call-out frame TfrNumLab: a small yellow window shaped like a circled digit; the
// main window carries five of them, hidden.
#include "guidance/ufrNumLab.h"

#include <string>

#include "core/Utf8.h"
#include "win/WideText.h"

namespace vps {

namespace {

win::FontDescription wingdings(int height, int weight) {
    return {.face = "Wingdings", .height = height, .weight = weight, .charset = SYMBOL_CHARSET,
            .pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE};
}

constexpr int kCallOutSize = 64;

// A symbol font's codes are reached through the private-use characters U+F020 to U+F0FF when
// text is handed over as Unicode: its code 0x8C is U+F08C, which no code page can mistake.
std::string symbolFontCharacter(char code) {
    std::string character;
    utf8::append(character, 0xF000 + static_cast<unsigned char>(code));
    return character;
}

win::ControlDescription callOutAt(const char* name, int left, int top) {
    return {.name = name, .bounds = {left, top, kCallOutSize, kCallOutSize}};
}

}  // namespace

TfrNumLab::TfrNumLab(win::Window& parent, const win::ControlDescription& description, char symbol)
    : Control(parent, description),
      yellow_(CreateSolidBrush(kYellow)) {
    createOwn("TfrNumLab", 0, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, parent.handle(),
              description.bounds, "");
    finishCreation();
    setFont(wingdings(32, FW_NORMAL));
    Label1 = std::make_unique<win::Label>(
        *this,
        win::ControlDescription{
            .name = "Label1", .bounds = {0, 0, 17, 17}, .caption = symbolFontCharacter(symbol)},
        win::TextAlign::Centre);
    Label1->setFont(wingdings(64, FW_BOLD));
    Label1->setVisible(false);
    rebuildShape();
}

void TfrNumLab::FrameResize() {
    rebuildShape();
}

void TfrNumLab::FrameClick() {
    rebuildShape();
}

void TfrNumLab::rebuildShape() {
    if (!Label1) return;  // still being created
    const std::wstring caption = win::wide(Label1->text());
    win::WindowDC dc(Label1->handle());
    win::SelectGuard selectFont(dc.get(), Label1->font());
    BeginPath(dc.get());
    SetBkMode(dc.get(), TRANSPARENT);
    TextOutW(dc.get(), 0, 0, caption.c_str(), static_cast<int>(caption.size()));
    EndPath(dc.get());
    // The default (alternate) filling leaves the digit inside the disc as a hole.
    win::Region shape(PathToRegion(dc.get()));
    // From here the region belongs to the window.
    if (shape && SetWindowRgn(handle(), shape.get(), TRUE)) shape.release();
}

LRESULT TfrNumLab::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{0, 0, clientWidth(), clientHeight()};
            FillRect(reinterpret_cast<HDC>(wParam), &client, yellow_.get());
            return 1;
        }
        case WM_SIZE:
            FrameResize();
            break;
        case WM_LBUTTONUP:
            FrameClick();
            break;
        default:
            break;
    }
    return Control::handleMessage(message, wParam, lParam);
}

CallOuts::CallOuts(win::Window& mainWindow)
    : CallOut1(mainWindow, callOutAt("CallOut1", 95, 236), '\x8C'),
      CallOut2(mainWindow, callOutAt("CallOut2", 256, 236), '\x8D'),
      CallOut3(mainWindow, callOutAt("CallOut3", 56, 316), '\x8E'),
      CallOut4(mainWindow, callOutAt("CallOut4", 256, 316), '\x8F'),
      CallOut5(mainWindow, callOutAt("CallOut5", 216, 18), '\x90') {}

}  // namespace vps
