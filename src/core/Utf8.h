#pragma once

// The program's text is UTF-8 throughout; Windows speaks UTF-16. These are the only
// conversions between the two, and the helpers that keep a UTF-8 text whole when it is cut.
// Platform-neutral: the window layer's wide/narrow edge (win/WideText.h) is built on them.

#include <cstddef>
#include <string>
#include <string_view>

namespace vps::utf8 {

inline constexpr char32_t kReplacement = U'\uFFFD';

// UTF-16 as Windows hands it over, to UTF-8. A lone surrogate (a window title cut in the
// middle of an emoji, say) becomes U+FFFD: nothing is dropped, nothing after it is lost.
std::string fromUtf16(std::u16string_view text);

// UTF-8 to UTF-16. Bytes that do not form a valid, shortest sequence of a code point outside
// the surrogates (text read from a file written by someone else) become U+FFFD, one for each
// maximal invalid run's bytes as the Unicode standard recommends.
std::u16string toUtf16(std::string_view text);

// Decodes the character that starts at `at`, moving `at` past it; an invalid sequence gives
// U+FFFD and moves on by the bytes it spoiled.
char32_t next(std::string_view text, std::size_t& at);

// Appends one code point (a surrogate or a value beyond U+10FFFF as U+FFFD).
void append(std::string& text, char32_t codePoint);

// The longest start of `text` of at most `maxBytes` bytes that ends on a whole character.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);

// The first `maxCharacters` characters (code points) of `text`, or all of it when it is shorter.
std::string_view cutToCharacters(std::string_view text, std::size_t maxCharacters);

// The number of characters (code points) in `text`.
std::size_t length(std::string_view text);

}  // namespace vps::utf8
