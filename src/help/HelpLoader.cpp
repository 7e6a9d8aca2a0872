#include "help/HelpLoader.h"

#include <cstdint>

#include "core/SystemErrorText.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

using help::ContextNumber;
using help::HelpFile;
using help::Topic;
using Style = win::TextBlock::Style;

namespace {

// A help file is a few dozen kilobytes; anything this large is something else.
constexpr LONGLONG kLargestHelpFile = 4 * 1024 * 1024;

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
    throw HelpUnavailable("Cannot read the help file " + path + ": " + reason);
}

std::string readHelpText(const std::string& path) {
    const win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || path.empty()) {
            throw HelpUnavailable("Help file not found: " + path);
        }
        cannotRead(path, tidySystemText(win::systemText(code)));
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        cannotRead(path, tidySystemText(win::systemText(GetLastError())));
    }
    if (size.QuadPart > kLargestHelpFile) cannotRead(path, "it is too large to be a help file");
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        cannotRead(path, tidySystemText(win::systemText(GetLastError())));
    }
    text.resize(read);
    return text;
}

}  // namespace

SharedHelp loadHelp(const std::string& path) {
    const std::string text = readHelpText(path);
    try {
        return std::make_shared<const HelpFile>(help::parseHelpFile(text));
    } catch (const help::HelpFileError& error) {
        cannotRead(path, error.what());
    }
}

const Topic& topicIn(const HelpFile& file, ULONG_PTR context, const std::string& path) {
    const Topic* topic =
        context <= UINT32_MAX ? file.find(static_cast<ContextNumber>(context)) : nullptr;
    if (!topic) throw HelpUnavailable("No help topic " + std::to_string(context) + " in " + path);
    return *topic;
}

std::vector<win::TextBlock> blocksOf(const HelpFile& file, const Topic& topic, bool withLinks) {
    std::vector<win::TextBlock> blocks{{Style::Title, topic.title}};
    for (const help::Block& block : topic.body) {
        blocks.push_back(
            {block.kind == help::Block::Kind::Bullet ? Style::Bullet : Style::Paragraph,
             block.text});
    }
    if (withLinks && !topic.seeAlso.empty()) {
        blocks.push_back({Style::Caption, "See also"});
        for (const ContextNumber target : topic.seeAlso) {
            if (const Topic* linked = file.find(target)) {
                blocks.push_back({Style::Link, linked->title, static_cast<int>(target)});
            }
        }
    }
    return blocks;
}

}  // namespace vps
