#include "core/HelpFile.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

namespace vps::help {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Splits "name rest" after the leading "@".
std::pair<std::string_view, std::string_view> splitDirective(std::string_view line) {
    line.remove_prefix(1);
    const auto end = std::find_if(line.begin(), line.end(), isSpace);
    const auto nameLength = static_cast<std::size_t>(end - line.begin());
    return {line.substr(0, nameLength), trimmed(line.substr(nameLength))};
}

std::optional<ContextNumber> parseContext(std::string_view text) {
    ContextNumber value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

struct SeeAlsoReference {
    ContextNumber target;
    int line;
};

}  // namespace

class HelpFileParser {
public:
    HelpFile parse(std::string_view text) {
        // Editors on Windows like to start a file with the UTF-8 byte order mark.
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        for (std::size_t start = 0;;) {
            const std::size_t newline = text.find('\n', start);
            std::string_view line = text.substr(
                start, newline == std::string_view::npos ? text.size() - start : newline - start);
            ++lineNumber_;
            if (line.ends_with('\r')) line.remove_suffix(1);
            parseLine(line);
            if (newline == std::string_view::npos) break;
            start = newline + 1;
        }
        finishTopic();
        finishHeading();
        if (file_.topics_.empty()) throw HelpFileError(1, "the file has no topics");
        checkLinks();
        return std::move(file_);
    }

private:
    [[noreturn]] void fail(const std::string& message) const {
        throw HelpFileError(lineNumber_, message);
    }

    void parseLine(std::string_view line) {
        if (line.starts_with('#')) return;
        if (line.starts_with('@')) {
            openBlock_ = nullptr;
            parseDirective(line);
            return;
        }
        const bool literal = line.starts_with('\\');
        if (literal) line.remove_prefix(1);
        const std::string_view text = trimmed(line);
        if (text.empty() && !literal) {
            openBlock_ = nullptr;
            return;
        }
        if (!topic_) {
            fail("text outside a topic; start a topic with \"@topic <context number> <title>\"");
        }
        const bool bullet = !literal && (line.starts_with("- ") || line.starts_with("* "));
        if (bullet) {
            topic_->body.push_back({Block::Kind::Bullet, std::string(trimmed(line.substr(2)))});
            openBlock_ = &topic_->body.back();
        } else if (openBlock_) {
            openBlock_->text += ' ';
            openBlock_->text += text;
        } else {
            topic_->body.push_back({Block::Kind::Paragraph, std::string(text)});
            openBlock_ = &topic_->body.back();
        }
    }

    void parseDirective(std::string_view line) {
        const auto [name, argument] = splitDirective(line);
        if (name == "topic") return startTopic(argument);
        if (name == "heading") return startHeading(argument);
        if (name == "title") return setTitle(argument);
        if (name == "see") return addSeeAlso(argument);
        if (name == "help-on-help") return markHelpOnHelp(argument);
        fail("unknown directive \"@" + std::string(name) + "\"");
    }

    void startTopic(std::string_view argument) {
        const auto end = std::find_if(argument.begin(), argument.end(), isSpace);
        const auto numberLength = static_cast<std::size_t>(end - argument.begin());
        const auto context = parseContext(argument.substr(0, numberLength));
        const std::string_view title = trimmed(argument.substr(numberLength));
        if (!context || title.empty()) {
            fail("bad topic header; expected \"@topic <context number> <title>\"");
        }
        if (const auto first = firstLineOf_.find(*context); first != firstLineOf_.end()) {
            fail("duplicate topic " + std::to_string(*context) + " (first at line " +
                 std::to_string(first->second) + ")");
        }
        finishTopic();
        firstLineOf_.emplace(*context, lineNumber_);
        if (file_.contents_.empty()) file_.contents_.push_back({});
        file_.contents_.back().topics.push_back(file_.topics_.size());
        file_.topics_.push_back({*context, std::string(title), {}, {}, lineNumber_});
        topic_ = &file_.topics_.back();
    }

    void finishTopic() {
        if (topic_ && topic_->body.empty()) {
            throw HelpFileError(topic_->line,
                                "topic " + std::to_string(topic_->context) + " has no text");
        }
        topic_ = nullptr;
    }

    void finishHeading() const {
        if (!file_.contents_.empty() && file_.contents_.back().topics.empty()) {
            throw HelpFileError(headingLine_,
                                "heading \"" + file_.contents_.back().heading + "\" has no topics");
        }
    }

    void startHeading(std::string_view argument) {
        if (argument.empty()) fail("a heading needs a text: \"@heading <text>\"");
        finishTopic();
        finishHeading();
        file_.contents_.push_back({std::string(argument), {}});
        headingLine_ = lineNumber_;
    }

    void setTitle(std::string_view argument) {
        if (argument.empty()) fail("a title needs a text: \"@title <text>\"");
        if (titleLine_) {
            fail("a second title (the first is at line " + std::to_string(titleLine_) + ")");
        }
        titleLine_ = lineNumber_;
        file_.title_ = argument;
    }

    void addSeeAlso(std::string_view argument) {
        if (!topic_) fail("\"@see\" outside a topic");
        std::string list(argument);
        std::replace(list.begin(), list.end(), ',', ' ');
        std::string_view rest = list;
        bool any = false;
        while (!(rest = trimmed(rest)).empty()) {
            const auto end = std::find_if(rest.begin(), rest.end(), isSpace);
            const auto length = static_cast<std::size_t>(end - rest.begin());
            const auto target = parseContext(rest.substr(0, length));
            if (!target) {
                fail("\"@see\" takes context numbers, not \"" +
                     std::string(rest.substr(0, length)) + "\"");
            }
            topic_->seeAlso.push_back(*target);
            links_.push_back({*target, lineNumber_});
            rest.remove_prefix(length);
            any = true;
        }
        if (!any) fail("\"@see\" needs at least one context number");
    }

    void markHelpOnHelp(std::string_view argument) {
        if (!topic_) fail("\"@help-on-help\" outside a topic");
        if (!argument.empty()) fail("\"@help-on-help\" takes nothing after it");
        if (file_.helpOnHelp_ >= 0) {
            const Topic& first = file_.topics_[static_cast<std::size_t>(file_.helpOnHelp_)];
            fail("a second \"@help-on-help\" topic (the first is topic " +
                 std::to_string(first.context) + ")");
        }
        file_.helpOnHelp_ = static_cast<std::ptrdiff_t>(file_.topics_.size() - 1);
    }

    void checkLinks() const {
        for (const SeeAlsoReference& link : links_) {
            if (!firstLineOf_.contains(link.target)) {
                throw HelpFileError(link.line, "\"@see\" names topic " +
                                                   std::to_string(link.target) +
                                                   ", which the file does not have");
            }
        }
    }

    HelpFile file_;
    int lineNumber_ = 0;
    // Pointers into file_.topics_ stay valid only until the next topic is added; both are reset
    // whenever one is.
    Topic* topic_ = nullptr;
    Block* openBlock_ = nullptr;
    int headingLine_ = 0;
    int titleLine_ = 0;
    std::map<ContextNumber, int> firstLineOf_;
    std::vector<SeeAlsoReference> links_;
};

const Topic* HelpFile::find(ContextNumber context) const {
    const auto found = std::find_if(topics_.begin(), topics_.end(), [context](const Topic& topic) {
        return topic.context == context;
    });
    return found == topics_.end() ? nullptr : &*found;
}

const Topic* HelpFile::helpOnHelp() const {
    return helpOnHelp_ < 0 ? nullptr : &topics_[static_cast<std::size_t>(helpOnHelp_)];
}

HelpFileError::HelpFileError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

HelpFile parseHelpFile(std::string_view text) {
    return HelpFileParser().parse(text);
}

}  // namespace vps::help
