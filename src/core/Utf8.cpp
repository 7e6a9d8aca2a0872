#include "core/Utf8.h"

namespace vps::utf8 {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The valid range of the second byte after a lead byte (Unicode's table 3-7), which rules out
// overlong forms, surrogates and values beyond U+10FFFF in one place.
bool secondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0: return second >= 0xA0 && second <= 0xBF;
        case 0xED: return second >= 0x80 && second <= 0x9F;
        case 0xF0: return second >= 0x90 && second <= 0xBF;
        case 0xF4: return second >= 0x80 && second <= 0x8F;
        default: return isContinuation(second);
    }
}

}  // namespace

char32_t next(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80) return lead;
    std::size_t trailing = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        value = lead & 0x07;
    } else {
        return kReplacement;  // a stray continuation byte, or a lead byte no character has
    }
    for (std::size_t i = 0; i < trailing; ++i) {
        if (at >= text.size()) return kReplacement;
        const unsigned char b = byte(at);
        if (i == 0 ? !secondByteFits(lead, b) : !isContinuation(b)) return kReplacement;
        value = (value << 6) | (b & 0x3F);
        ++at;
    }
    return value;
}

void append(std::string& text, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string fromUtf16(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            append(result, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else {
            append(result, unit);  // a lone surrogate comes out as U+FFFD
        }
    }
    return result;
}

std::u16string toUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = next(text, at);
        if (c >= 0x10000) {
            result += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            result += static_cast<char16_t>(c);
        }
    }
    return result;
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        next(text, at);
        if (at > maxBytes) {
            end = start;
            break;
        }
    }
    return text.substr(0, end);
}

std::string_view cutToCharacters(std::string_view text, std::size_t maxCharacters) {
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < maxCharacters; ++count) next(text, at);
    return text.substr(0, at);
}

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) next(text, at);
    return count;
}

}  // namespace vps::utf8
