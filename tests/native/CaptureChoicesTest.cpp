#include <gtest/gtest.h>

#include "core/CaptureChoices.h"

namespace vps::options {
namespace {

constexpr int kBmp = indexOf(FileFormatChoice::Bmp);
constexpr int kJpg = indexOf(FileFormatChoice::Jpg);

TEST(CaptureChoices, ControlsFollowTheActionAndTheFormat) {
    struct Case {
        int action, format;
        PanelState expected;
    } cases[] = {
        //                            format  jpegShown jpegOn emailShown label  labelFromEmail
        {indexOf(ActionChoice::PrintToDefaultPrinter), kJpg, {false, true, false, false, false, false}},
        {indexOf(ActionChoice::PrintToSelectedPrinter), kBmp, {false, true, false, false, false, false}},
        {indexOf(ActionChoice::SaveAsFile), kBmp, {true, true, false, false, false, false}},
        {indexOf(ActionChoice::SaveAsFile), kJpg, {true, true, true, false, true, false}},
        {indexOf(ActionChoice::SaveAsFile), -1, {true, true, false, false, false, false}},
        {indexOf(ActionChoice::CopyToClipboard), kJpg, {false, true, false, false, false, false}},
        {indexOf(ActionChoice::EmailAsJpeg), kBmp, {false, false, false, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << ", format " << c.format);
        EXPECT_EQ(panelStateFor(c.action, c.format), c.expected);
    }
}

TEST(CaptureChoices, NoActionLeavesThePanelAlone) {
    EXPECT_EQ(panelStateFor(-1, kJpg), std::nullopt);
    EXPECT_EQ(panelStateFor(5, kJpg), std::nullopt);
}

TEST(CaptureChoices, LabelTextsOutsideTheirRangeAreEmpty) {
    EXPECT_EQ(qualityText(0), "Very Poor (Very Small File)");
    EXPECT_EQ(qualityText(4), "Excellent");
    EXPECT_EQ(qualityText(5), "");
    EXPECT_EQ(colourText(1), "Monochrome");
    EXPECT_EQ(colourText(6), "True Color (32 bit)");
    EXPECT_EQ(colourText(0), "");
}

}  // namespace
}  // namespace vps::options
