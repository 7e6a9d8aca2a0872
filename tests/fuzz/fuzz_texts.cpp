// Texts that come from outside and end up in names and messages: a window title that becomes a
// file name, folders and printer names from the settings file and the spooler, the version
// resource's strings in the credits, the system's error text and folders, attachment lists.
// Each is handled as plain text: no format string, no read past its end, no lost or invented
// characters.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/CreditsScroll.h"
#include "core/CreditsText.h"
#include "core/FileNaming.h"
#include "core/MailAttachments.h"
#include "core/MailText.h"
#include "core/PrinterNames.h"
#include "core/SystemErrorText.h"
#include "core/SystemInfo.h"
#include "core/TextUtil.h"
#include "core/Utf8.h"

namespace {

using namespace vps;

void fileNameFromWindowTitle(FuzzedDataProvider& input) {
    const std::string raw = input.ConsumeRandomLengthString(300);
    const std::string title = cleanWindowTitle(raw);
    const auto asciiSafe = [](char c) {
        return c == ' ' || c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
               (c >= 'A' && c <= 'Z');
    };
    // Of ASCII only letters, digits, space and "-" stay; beyond it whole, valid characters of
    // the title in their order; and what stays is clean already.
    for (char c : title) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x80 || asciiSafe(c));
    FUZZ_CHECK(utf8::fromUtf16(utf8::toUtf16(title)) == title);
    FUZZ_CHECK(cleanWindowTitle(title) == title);
    std::size_t inRaw = 0;
    for (std::size_t at = 0; at < title.size();) {
        const char32_t kept = utf8::next(title, at);
        FUZZ_CHECK(kept != utf8::kReplacement);
        bool found = false;
        while (!found && inRaw < raw.size()) found = utf8::next(raw, inRaw) == kept;
        FUZZ_CHECK(found);
    }
    // An ASCII title is cleaned as it always was.
    if (std::all_of(raw.begin(), raw.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string asciiOnly;
        std::copy_if(raw.begin(), raw.end(), std::back_inserter(asciiOnly), asciiSafe);
        FUZZ_CHECK(title == asciiOnly);
    }
    // The folder already holds some of the numbered names, with gaps: the proposal is the first
    // free one in counting order, 999 followed by 1000.
    const std::string extension = input.ConsumeBool() ? ".bmp" : ".jpg";
    const auto numbered = [&](int counter) {
        char suffix[16] = {};
        if (counter > 0) std::snprintf(suffix, sizeof suffix, "%03d", counter);
        return title + suffix + extension;
    };
    std::set<std::string> existing;
    int firstFree = -1;
    for (int counter = 0, count = input.ConsumeIntegralInRange(0, 1100); counter < count;
         ++counter) {
        if (input.ConsumeIntegralInRange(0, 15) == 0) {
            if (firstFree < 0) firstFree = counter;
        } else {
            existing.insert(numbered(counter));
        }
    }
    if (firstFree < 0) firstFree = static_cast<int>(existing.size());
    const std::string proposed = NextFreeFileName(
        title, extension, [&](const std::string& name) { return existing.contains(name); });
    FUZZ_CHECK(proposed == numbered(firstFree));

    const std::string path = input.ConsumeRandomLengthString(300);
    const std::string folder = FolderOf(path);
    FUZZ_CHECK(path.starts_with(folder));
    FUZZ_CHECK(FolderOf(folder) == folder);
    const std::string placed = InFolder(folder, proposed);
    FUZZ_CHECK(placed.starts_with(folder) && placed.ends_with(proposed));
}

void creditsText(FuzzedDataProvider& input) {
    const std::string version = input.ConsumeRandomLengthString(200);
    const std::string copyright = input.ConsumeRandomLengthString(200);
    const auto design = designCreditsLines();
    const auto lines = formatCredits(design, version, copyright);
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find("\r\n") == std::string::npos);
        const std::string_view drawn = credits::drawnText(line);
        FUZZ_CHECK(line.starts_with(drawn) && utf8::length(drawn) <= credits::kMaxDrawnCharacters);
    }
    if (version.find_first_of("\r\n") == std::string::npos &&
        copyright.find_first_of("\r\n") == std::string::npos) {
        FUZZ_CHECK(lines.size() == design.size());
        FUZZ_CHECK(lines[2] == version && lines[4] == copyright);
    }

    credits::Geometry geometry;
    const credits::Area area = credits::textArea(input.ConsumeIntegralInRange(-100, 4096),
                                                 input.ConsumeIntegralInRange(-100, 4096),
                                                 input.ConsumeIntegralInRange(0, 8));
    FUZZ_CHECK(area.width >= 0 && area.height >= 0);
    geometry.areaHeight = area.height;
    geometry.lineHeight = input.ConsumeIntegralInRange(1, 256);
    geometry.firstLine = credits::firstNonBlankLine(lines);
    geometry.lineCount = lines.size();
    const int range = credits::scrollRange(geometry);
    FUZZ_CHECK(range >= geometry.areaHeight);
    int position = input.ConsumeIntegralInRange(0, range);
    for (int step = 0; step < 64; ++step, position = credits::nextPosition(position, range)) {
        FUZZ_CHECK(position >= 0 && position <= range);
        std::size_t previous = 0;
        bool first = true;
        for (const auto& [index, top] : credits::visibleLines(geometry, position)) {
            FUZZ_CHECK(index >= geometry.firstLine && index <= geometry.lineCount);
            FUZZ_CHECK(first || index == previous + 1);
            FUZZ_CHECK(top < geometry.areaHeight && top + geometry.lineHeight > 0);
            previous = index;
            first = false;
        }
    }
}

void systemTexts(FuzzedDataProvider& input) {
    const std::string text = input.ConsumeRandomLengthString(300);
    const std::string tidy = tidySystemText(text);
    FUZZ_CHECK(text.starts_with(tidy));
    FUZZ_CHECK(tidy.empty() ||
               (static_cast<unsigned char>(tidy.back()) > ' ' && tidy.back() != '.'));
    const std::uint32_t code = input.ConsumeIntegral<std::uint32_t>();
    const std::string message = systemErrorMessage(code, text);
    FUZZ_CHECK(code == 0 || message.ends_with(tidy));

    const std::string folder =
        sysinfo::folderWithBackslash(text, input.ConsumeIntegralInRange<std::size_t>(0, 320));
    FUZZ_CHECK(folder.empty() || folder.back() == '\\');

    const std::string moment = input.ConsumeRandomLengthString(100);
    FUZZ_CHECK(captureMailBody(moment).find(moment) != std::string::npos);
    const std::string trimmed = trimBlanks(text);
    FUZZ_CHECK(text.find(trimmed) != std::string::npos);
}

void lists(FuzzedDataProvider& input) {
    const std::string attachments = input.ConsumeRandomLengthString(500);
    const MailAttachmentList list = splitAttachmentList(attachments);
    FUZZ_CHECK(list.entries.size() <= kMaxMailAttachments);
    for (const auto& entry : list.entries) {
        FUZZ_CHECK(entry.path.find(';') == std::string::npos);
        FUZZ_CHECK(entry.path.ends_with(entry.fileName));
        FUZZ_CHECK(entry.fileName.find_first_of("\\:") == std::string::npos);
    }

    std::vector<std::string> printers(input.ConsumeIntegralInRange(0, 8));
    for (auto& printer : printers) printer = input.ConsumeRandomLengthString(40);
    const std::string wanted = input.ConsumeRandomLengthString(40);
    try {
        const int index = FindPrinterIndex(printers, wanted);
        FUZZ_CHECK(index >= 0 && static_cast<std::size_t>(index) < printers.size());
        FUZZ_CHECK(PrinterShortName(printers[static_cast<std::size_t>(index)]) == wanted);
    } catch (const std::runtime_error& error) {
        // The message is read back as a C string: a name from the settings file holds no NUL.
        FUZZ_CHECK(std::string(error.what()) == ("Printer not found:  " + wanted).c_str());
        for (const auto& printer : printers) FUZZ_CHECK(PrinterShortName(printer) != wanted);
    }
}

// The edge with Windows: text from either side converts without loss where it is valid, every
// invalid unit or byte becomes U+FFFD, and a cut never splits a character.
void conversions(FuzzedDataProvider& input) {
    const std::string bytes = input.ConsumeRandomLengthString(300);
    const std::u16string utf16 = utf8::toUtf16(bytes);
    const std::string utf8Text = utf8::fromUtf16(utf16);
    // Whatever came in, what goes out is valid: it converts back and forth unchanged.
    FUZZ_CHECK(utf8::toUtf16(utf8Text) == utf16);
    FUZZ_CHECK(utf8::fromUtf16(utf8::toUtf16(utf8Text)) == utf8Text);
    FUZZ_CHECK(utf8Text.find("\xEF\xBF\xBD") != std::string::npos || utf8Text == bytes);

    std::u16string units;
    for (std::size_t i = 0, n = input.ConsumeIntegralInRange<std::size_t>(0, 64); i < n; ++i) {
        units += static_cast<char16_t>(input.ConsumeIntegral<std::uint16_t>());
    }
    const std::string fromWindows = utf8::fromUtf16(units);
    // One character out for every unit, or for every surrogate pair: nothing is dropped.
    std::size_t expected = 0;
    for (std::size_t i = 0; i < units.size(); ++i, ++expected) {
        const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (pair) ++i;
    }
    FUZZ_CHECK(utf8::length(fromWindows) == expected);

    const std::size_t limit = input.ConsumeIntegralInRange<std::size_t>(0, 320);
    const std::string_view cut = utf8::cutToBytes(utf8Text, limit);
    FUZZ_CHECK(cut.size() <= limit || cut.size() == utf8Text.size());
    FUZZ_CHECK(utf8::fromUtf16(utf8::toUtf16(cut)) == cut);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 4)) {
        case 0:
            fileNameFromWindowTitle(input);
            break;
        case 1:
            creditsText(input);
            break;
        case 2:
            systemTexts(input);
            break;
        case 3:
            lists(input);
            break;
        default:
            conversions(input);
            break;
    }
    return 0;
}
