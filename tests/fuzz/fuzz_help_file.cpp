// The help file is plain text that anyone can edit: any bytes must either parse into a file
// whose every reference holds, or be refused with a line number inside the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "core/HelpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    try {
        const vps::help::HelpFile file = vps::help::parseHelpFile(text);
        FUZZ_CHECK(!file.topics().empty());
        FUZZ_CHECK(!file.title().empty());
        std::size_t listed = 0;
        for (const auto& group : file.contents()) {
            FUZZ_CHECK(!group.topics.empty());
            for (std::size_t index : group.topics) FUZZ_CHECK(index < file.topics().size());
            listed += group.topics.size();
        }
        FUZZ_CHECK(listed == file.topics().size());
        for (const auto& topic : file.topics()) {
            FUZZ_CHECK(file.find(topic.context) == &topic);
            FUZZ_CHECK(!topic.title.empty() && !topic.body.empty());
            FUZZ_CHECK(topic.line >= 1 && topic.line <= lines);
            for (auto target : topic.seeAlso) FUZZ_CHECK(file.find(target) != nullptr);
        }
        if (const auto* own = file.helpOnHelp()) FUZZ_CHECK(file.find(own->context) == own);
    } catch (const vps::help::HelpFileError& error) {
        FUZZ_CHECK(error.line() >= 1 && error.line() <= lines);
    }
    return 0;
}
