#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The program's help file: a plain text file that anyone can edit with a text editor.
//
//   # A comment: the whole line is ignored.
//   @title Vantaro Print Screen Help        the help file's name, shown in window captions
//   @heading The main window                starts a group of topics in the contents
//   @topic 1090 Please Select Screen Area   a topic: its context number and its title
//   @help-on-help                           marks the topic that explains the help itself
//   A paragraph runs over any number of lines until an empty line.
//   - A bullet starts with "- " or "* ";
//     lines that follow continue it.
//   @see 1100, 1140                         "see also" links to other topics
//   \- A backslash at the start of a line takes the rest as plain text.
//
// Every topic needs some text, every context number is used once, and every "see also" link
// must name a topic of the file; anything else is refused with the number of the offending line,
// so a broken file is found when it is written rather than when a user asks for help.
namespace vps::help {

using ContextNumber = std::uint32_t;

struct Block {
    enum class Kind { Paragraph, Bullet };
    Kind kind = Kind::Paragraph;
    std::string text;
    friend bool operator==(const Block&, const Block&) = default;
};

struct Topic {
    ContextNumber context = 0;
    std::string title;
    std::vector<Block> body;
    std::vector<ContextNumber> seeAlso;
    int line = 0;  // of its "@topic" header
};

// One group of the contents: a heading (empty for the topics before the first heading) and its
// topics, as indices into HelpFile::topics().
struct ContentsGroup {
    std::string heading;
    std::vector<std::size_t> topics;
};

class HelpFile {
public:
    // The "@title", or "Help" when the file has none.
    const std::string& title() const { return title_; }
    // In file order.
    const std::vector<Topic>& topics() const { return topics_; }
    const std::vector<ContentsGroup>& contents() const { return contents_; }
    // Null when the file has no topic with this number.
    const Topic* find(ContextNumber context) const;
    // The topic marked "@help-on-help", or null.
    const Topic* helpOnHelp() const;

private:
    friend class HelpFileParser;

    std::string title_ = "Help";
    std::vector<Topic> topics_;
    std::vector<ContentsGroup> contents_;
    std::ptrdiff_t helpOnHelp_ = -1;
};

// A malformed help file; what() reads "line 12: ...".
class HelpFileError : public std::runtime_error {
public:
    HelpFileError(int line, const std::string& message);
    int line() const { return line_; }

private:
    int line_;
};

// Throws HelpFileError for a malformed file.
HelpFile parseHelpFile(std::string_view text);

}  // namespace vps::help
