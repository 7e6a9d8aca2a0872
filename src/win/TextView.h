#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win/Gdi.h"
#include "win/PaintedControl.h"

namespace win {

struct TextBlock {
    enum class Style {
        Title,  // bold and larger
        Paragraph,
        Bullet,   // a dot and a hanging indent
        Caption,  // bold; introduces the links below it
        Link,     // underlined and clickable
    };
    Style style = Style::Paragraph;
    std::string text;
    int link = 0;  // what OnLinkClick receives for a Link
};

struct TextViewOptions {
    bool scrollBar = true;     // a vertical scroll bar, greyed while all the text fits
    bool infoColours = false;  // the system's tool-tip colours instead of the window's
    bool tabStop = true;
    int margin = 8;  // blank pixels around the text
};

// A read-only view of formatted text, word-wrapped to its width and scrolled by the scroll bar,
// the mouse wheel and the keys Up, Down, Page Up, Page Down, Home, End and Space. Its window
// text is the plain text, so tests and screen readers can read what it shows.
class TextView : public PaintedControl {
public:
    TextView(Window& parent, const ControlDescription& description, const TextViewOptions& options = {});

    // Shows new text from its top.
    void setBlocks(std::vector<TextBlock> blocks);
    const std::vector<TextBlock>& blocks() const { return blocks_; }

    // The smallest size, margins included, that shows all the text wrapped at no more than
    // maxWidth pixels (a single word longer than that makes it wider).
    SIZE measure(int maxWidth) const;

    int scrollPosition() const { return scrollY_; }
    void scrollTo(int y);

    std::function<void(int link)> OnLinkClick;

protected:
    void paint(HDC dc, const RECT& client) override;
    HBRUSH background(HDC dc) override;
    bool handleKey(const KeyEvent& key) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Placed {
        std::size_t block;
        RECT text;  // where its text goes, in content coordinates (before scrolling)
    };
    struct Layout {
        std::vector<Placed> placed;
        SIZE size{0, 0};
        int lineHeight = 0;
    };

    Layout layoutFor(int width) const;
    void relayout();
    void updateScrollBar();
    void drawBullet(HDC dc, const RECT& text, COLORREF colour) const;
    int maxScroll() const;
    bool scrollByKey(WPARAM key);
    void scrollByBar(WORD request);
    std::optional<int> linkAt(POINT client) const;
    HFONT fontOf(TextBlock::Style style) const;
    int bulletIndent() const { return layout_.lineHeight + 2; }

    TextViewOptions options_;
    std::vector<TextBlock> blocks_;
    Layout layout_;
    int scrollY_ = 0;
    std::optional<int> pressedLink_;
    // Variants of the control's font, made again when that font changes.
    mutable HFONT fontsMadeFrom_ = nullptr;
    mutable Font bold_;
    mutable Font title_;
    mutable Font underlined_;
};

}  // namespace win
