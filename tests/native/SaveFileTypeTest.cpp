#include <gtest/gtest.h>

#include <string>

#include "core/CaptureChoices.h"
#include "core/SaveFileType.h"

namespace vps {
namespace {

TEST(SaveFileType, DialogOffersTheModesOwnTypeAndPngSecondPreselectedWhenLastUsed) {
    const struct {
        int format;
        bool offerPng;
        SaveFileType last;
        const char* filter;
        int index;
        const char* extension;
    } cases[] = {
        {options::FormatBmp, true, SaveFileType::Bmp, "Bitmap|*.bmp|PNG (*.png)|*.png", 1, ".bmp"},
        {options::FormatBmp, true, SaveFileType::Jpg, "Bitmap|*.bmp|PNG (*.png)|*.png", 1, ".bmp"},
        {options::FormatBmp, true, SaveFileType::Png, "Bitmap|*.bmp|PNG (*.png)|*.png", 2, ".png"},
        {options::FormatJpg, true, SaveFileType::Bmp, "JPEG|*.jpg|PNG (*.png)|*.png", 1, ".jpg"},
        {options::FormatJpg, true, SaveFileType::Png, "JPEG|*.jpg|PNG (*.png)|*.png", 2, ".png"},
        // The mail's JPEG: no PNG, whatever was saved last.
        {options::FormatJpg, false, SaveFileType::Png, "JPEG|*.jpg", 1, ".jpg"},
        {options::FormatBmp, false, SaveFileType::Png, "Bitmap|*.bmp", 1, ".bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + ", last " + std::string(saveFileTypeText(c.last)));
        const SaveDialogTypes types = saveDialogTypes(c.format, c.offerPng, c.last);
        EXPECT_EQ(types.filter, c.filter);
        EXPECT_EQ(types.filterIndex, c.index);
        EXPECT_EQ(types.extension, c.extension);
    }
}

TEST(SaveFileType, PngByItsEntryOrByANameEndingInPngElseTheModesType) {
    const struct {
        const char* name;
        int filterIndex;
        int format;
        SaveFileType expected;
    } cases[] = {
        {"C:\\a\\shot.png", 1, options::FormatBmp, SaveFileType::Png},
        {"C:\\a\\shot.PNG", 1, options::FormatJpg, SaveFileType::Png},
        {"C:\\a\\shot.bmp", 2, options::FormatBmp, SaveFileType::Png},
        {"C:\\a\\shot.bmp", 1, options::FormatBmp, SaveFileType::Bmp},
        {"C:\\a\\shot.jpg", 1, options::FormatJpg, SaveFileType::Jpg},
        {"C:\\a\\shot.bmp", 1, options::FormatJpg, SaveFileType::Jpg},
        {"C:\\a.png\\shot", 1, options::FormatBmp, SaveFileType::Bmp},
        {"png", 1, options::FormatBmp, SaveFileType::Bmp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", entry " + std::to_string(c.filterIndex));
        EXPECT_EQ(chosenSaveFileType(c.name, c.filterIndex, c.format), c.expected);
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
