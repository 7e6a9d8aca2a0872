#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/HelpFile.h"

namespace vps::help {
namespace {

using Kind = Block::Kind;

TEST(HelpFile, ReadsTopicsBlocksLinksAndContents) {
    const HelpFile file = parseHelpFile(
        "\xEF\xBB\xBF# made by hand\r\n"
        "@title Sample Help\r\n"
        "@topic 7 Before any heading\r\n"
        "Loose text.\r\n"
        "@heading First group\n"
        "@topic 1000 The monitor\n"
        "A paragraph that runs\n"
        "   over three\n"
        "lines.\n"
        "\n"
        "- first bullet\n"
        "  continued\n"
        "* second bullet\n"
        "# a comment does not end the bullet\n"
        "still the second\n"
        "\n"
        "\\- not a bullet\n"
        "\\@topic not a header\n"
        "@see 7, 1090  2\n"
        "@heading Second group\n"
        "@topic 2 How to use this help\n"
        "@help-on-help\n"
        "Read it.\n"
        "@topic 1090 Screen Area\n"
        "Choose.\n");

    EXPECT_EQ(file.title(), "Sample Help");
    ASSERT_EQ(file.topics().size(), 4u);
    const Topic* monitor = file.find(1000);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->title, "The monitor");
    EXPECT_EQ(monitor->line, 6);
    const std::vector<Block> expected = {
        {Kind::Paragraph, "A paragraph that runs over three lines."},
        {Kind::Bullet, "first bullet continued"},
        {Kind::Bullet, "second bullet still the second"},
        {Kind::Paragraph, "- not a bullet @topic not a header"},
    };
    EXPECT_EQ(monitor->body, expected);
    EXPECT_EQ(monitor->seeAlso, (std::vector<ContextNumber>{7, 1090, 2}));

    ASSERT_NE(file.helpOnHelp(), nullptr);
    EXPECT_EQ(file.helpOnHelp()->context, 2u);
    EXPECT_EQ(file.find(1091), nullptr);

    const struct {
        const char* heading;
        std::vector<std::size_t> topics;
    } expectedContents[] = {{"", {0}}, {"First group", {1}}, {"Second group", {2, 3}}};
    ASSERT_EQ(file.contents().size(), std::size(expectedContents));
    for (std::size_t i = 0; i < std::size(expectedContents); ++i) {
        SCOPED_TRACE(testing::Message() << "group " << i);
        EXPECT_EQ(file.contents()[i].heading, expectedContents[i].heading);
        EXPECT_EQ(file.contents()[i].topics, expectedContents[i].topics);
    }
}

TEST(HelpFile, DefaultsWithoutTitleOrHelpOnHelpTopic) {
    const HelpFile file = parseHelpFile("@topic 4294967295 Largest number\ntext");
    EXPECT_EQ(file.title(), "Help");
    EXPECT_EQ(file.helpOnHelp(), nullptr);
    ASSERT_NE(file.find(4294967295u), nullptr);
    ASSERT_EQ(file.contents().size(), 1u);
    EXPECT_EQ(file.contents()[0].topics.size(), 1u);
}

TEST(HelpFile, MalformedFilesNameTheLineAtFault) {
    struct Case {
        const char* what;
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"duplicate context", "@topic 1 A\nx\n\n@topic 1 B\ny", 4,
         "duplicate topic 1 (first at line 1)"},
        {"header without title", "@topic 1000\nx", 1, "bad topic header"},
        {"header without number", "@topic Title only\nx", 1, "bad topic header"},
        {"negative number", "@topic -5 Minus\nx", 1, "bad topic header"},
        {"number too large", "@topic 4294967296 Big\nx", 1, "bad topic header"},
        {"number glued to title", "@topic 12a Glued\nx", 1, "bad topic header"},
        {"topic without text", "@topic 1 A\n\n# only a comment\n@topic 2 B\ny", 1,
         "topic 1 has no text"},
        {"last topic without text", "@topic 1 A\nx\n@topic 2 B\n@see 1\n", 3,
         "topic 2 has no text"},
        {"text before any topic", "@title T\nHello", 2, "text outside a topic"},
        {"text after a heading", "@topic 1 A\nx\n@heading H\nstray", 4, "text outside a topic"},
        {"unknown directive", "@topic 1 A\n@bold x", 2, "unknown directive \"@bold\""},
        {"empty heading", "@topic 1 A\nx\n@heading\n", 3, "a heading needs a text"},
        {"heading without topics", "@heading Lonely\n@heading Next\n@topic 1 A\nx", 1,
         "heading \"Lonely\" has no topics"},
        {"heading at the end", "@topic 1 A\nx\n@heading Last", 3, "heading \"Last\" has no topics"},
        {"second title", "@title A\n@title B\n@topic 1 A\nx", 2,
         "a second title (the first is at line 1)"},
        {"link to nowhere", "@topic 1 A\nx\n@see 2\n@topic 3 C\ny", 3, "names topic 2"},
        {"link that is no number", "@topic 1 A\nx\n@see one", 3, "takes context numbers"},
        {"empty link list", "@topic 1 A\nx\n@see ,", 3, "needs at least one"},
        {"link outside a topic", "@see 1\n@topic 1 A\nx", 1, "outside a topic"},
        {"two help-on-help topics", "@topic 1 A\n@help-on-help\nx\n@topic 2 B\n@help-on-help\ny", 5,
         "the first is topic 1"},
        {"help-on-help with text", "@topic 1 A\n@help-on-help yes\nx", 2, "takes nothing after it"},
        {"no topics at all", "# nothing here\n", 1, "no topics"},
        {"empty file", "", 1, "no topics"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            parseHelpFile(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const HelpFileError& error) {
            EXPECT_EQ(error.line(), c.line);
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_TRUE(
                std::string(error.what()).starts_with("line " + std::to_string(c.line) + ": "))
                << error.what();
        }
    }
}

std::string shippedHelpFile() {
    std::ifstream file(VPS_SHIPPED_HELP_FILE, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every help context number the program hands to the help viewer: the controls, menu items and
// windows that answer F1, the "?" button or a click with help.
constexpr ContextNumber kProgramContexts[] = {
    50,   1000, 1090, 1100, 1110, 1120, 1130, 1140, 1150, 1160, 1180, 1210,  1220, 1230,
    1240, 1250, 1270, 1290, 1300, 2000, 2010, 2020, 2030, 2040, 2050, 2060,  2070, 2080,
    2090, 2100, 2110, 2120, 2130, 3020, 3030, 3040, 3050, 3060, 3070, 10000,
};

TEST(HelpFile, ShippedFileHasATopicForEveryContextTheProgramUses) {
    const std::string text = shippedHelpFile();
    ASSERT_FALSE(text.empty()) << "cannot read " << VPS_SHIPPED_HELP_FILE;
    const HelpFile file = parseHelpFile(text);
    for (const ContextNumber context : kProgramContexts) {
        SCOPED_TRACE(context);
        const Topic* topic = file.find(context);
        ASSERT_NE(topic, nullptr);
        EXPECT_FALSE(topic->title.empty());
        ASSERT_FALSE(topic->body.empty());
        for (const Block& block : topic->body) EXPECT_FALSE(block.text.empty());
    }
    ASSERT_NE(file.helpOnHelp(), nullptr);
    EXPECT_GE(file.helpOnHelp()->body.size(), 3u);
    EXPECT_NE(file.title(), "Help");
}

// Pop-ups show the text in the system's ANSI code page; a character outside ASCII would show as
// a different letter on another system.
TEST(HelpFile, ShippedFileIsPlainAscii) {
    const std::string text = shippedHelpFile();
    int line = 1;
    for (const char c : text) {
        if (c == '\n') ++line;
        ASSERT_TRUE(static_cast<unsigned char>(c) < 0x80) << "line " << line;
    }
}

}  // namespace
}  // namespace vps::help
