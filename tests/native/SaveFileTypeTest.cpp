#include <gtest/gtest.h>

#include <string>

#include "core/CaptureChoices.h"
#include "core/SaveFileType.h"

namespace vps {
namespace {

constexpr int kBmp = options::indexOf(options::FileFormatChoice::Bmp);
constexpr int kJpg = options::indexOf(options::FileFormatChoice::Jpg);

TEST(SaveFileType, DialogOffersTheModesOwnTypeAndPngSecondPreselectedWhenLastUsed) {
    const struct {
        int format;
        bool offerPng;
        SaveFileType last;
        const char* filter;
        int index;
        const char* extension;
    } cases[] = {
        {kBmp, true, SaveFileType::Bmp, "Bitmap|*.bmp|PNG (*.png)|*.png", 1, ".bmp"},
        {kBmp, true, SaveFileType::Jpg, "Bitmap|*.bmp|PNG (*.png)|*.png", 1, ".bmp"},
        {kBmp, true, SaveFileType::Png, "Bitmap|*.bmp|PNG (*.png)|*.png", 2, ".png"},
        {kJpg, true, SaveFileType::Bmp, "JPEG|*.jpg|PNG (*.png)|*.png", 1, ".jpg"},
        {kJpg, true, SaveFileType::Png, "JPEG|*.jpg|PNG (*.png)|*.png", 2, ".png"},
        // The mail's JPEG: no PNG, whatever was saved last.
        {kJpg, false, SaveFileType::Png, "JPEG|*.jpg", 1, ".jpg"},
        {kBmp, false, SaveFileType::Png, "Bitmap|*.bmp", 1, ".bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + ", last " + std::string(saveFileTypeText(c.last)));
        const SaveDialogTypes types = saveDialogTypes(c.format, c.offerPng, c.last);
        EXPECT_EQ(types.filter, c.filter);
        EXPECT_EQ(types.filterIndex, c.index);
        EXPECT_EQ(types.extension, c.extension);
    }
}

TEST(SaveFileType, PngByItsEntryOrByANameEndingInPngWhereOfferedElseTheModesType) {
    const struct {
        const char* name;
        int filterIndex;
        int format;
        bool offerPng;
        SaveFileType expected;
    } cases[] = {
        {"C:\\a\\shot.png", 1, kBmp, true, SaveFileType::Png},
        {"C:\\a\\shot.PNG", 1, kJpg, true, SaveFileType::Png},
        {"C:\\a\\shot.bmp", 2, kBmp, true, SaveFileType::Png},
        {"C:\\a\\shot.bmp", 1, kBmp, true, SaveFileType::Bmp},
        {"C:\\a\\shot.jpg", 1, kJpg, true, SaveFileType::Jpg},
        {"C:\\a\\shot.bmp", 1, kJpg, true, SaveFileType::Jpg},
        {"C:\\a.png\\shot", 1, kBmp, true, SaveFileType::Bmp},
        {"png", 1, kBmp, true, SaveFileType::Bmp},
        // The mail's dialog offers no PNG: a typed ".png" once wrote and mailed a PNG.
        {"C:\\a\\shot.png", 1, kJpg, false, SaveFileType::Jpg},
        {"C:\\a\\shot.PNG", 1, kJpg, false, SaveFileType::Jpg},
        {"C:\\a\\shot.png", 1, kBmp, false, SaveFileType::Bmp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", entry " + std::to_string(c.filterIndex) +
                     (c.offerPng ? ", PNG offered" : ", no PNG"));
        EXPECT_EQ(chosenSaveFileType(c.name, c.filterIndex, c.format, c.offerPng), c.expected);
    }
}

TEST(SaveFileType, MailedJpegNameEndsInJpgAndKeepsWhatWasTyped) {
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"C:\\a\\shot.jpg", "C:\\a\\shot.jpg"},
        {"C:\\a\\shot.JPG", "C:\\a\\shot.JPG"},
        {"C:\\a\\shot.png", "C:\\a\\shot.png.jpg"},
        {"C:\\a\\shot.bmp", "C:\\a\\shot.bmp.jpg"},
        {"C:\\a\\shot.jpeg", "C:\\a\\shot.jpeg.jpg"},
        {"C:\\a.jpg\\shot", "C:\\a.jpg\\shot.jpg"},
        {"C:\\a\\jpg", "C:\\a\\jpg.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(mailJpegFileName(c.chosen), c.written);
    }
}

TEST(SaveFileType, SettingsTextRoundTripsAndUnknownTextReadsAsBmp) {
    for (SaveFileType type : {SaveFileType::Bmp, SaveFileType::Jpg, SaveFileType::Png})
        EXPECT_EQ(saveFileTypeFromText(saveFileTypeText(type)), type);
    EXPECT_EQ(saveFileTypeFromText("PNG"), SaveFileType::Png);
    for (const char* text : {"", "gif", " png"})
        EXPECT_EQ(saveFileTypeFromText(text), SaveFileType::Bmp) << text;
}

}  // namespace
}  // namespace vps
