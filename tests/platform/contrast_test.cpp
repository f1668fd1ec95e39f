// SPDX-License-Identifier: MIT
#include "platform/contrast.h"

#include <gtest/gtest.h>

namespace zorbal::platform {
namespace {

TEST(Contrast, RatiosRunFromOneToTwentyOneWhicheverColourIsFirst) {
    EXPECT_DOUBLE_EQ(contrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kButtonFace, kButtonFace), 1.0);
    // The window's pure red on its grey face, short of what small text needs.
    EXPECT_NEAR(contrastRatio(kRed, kButtonFace), 3.509, 0.001);
}

// The same colours as the page's look.js gives for these pairs.
TEST(Contrast, AColourShortOfTheRatioIsMovedTowardsBlackOrWhiteKeepingItsHue) {
    EXPECT_EQ(readableColor(kRed, kButtonFace), rgb(0xd7, 0, 0));
    EXPECT_EQ(readableColor(kRed, kWhite, kHighContrast), rgb(0xaf, 0, 0));
    // The disabled grey on the green busy button, and a grey on a dark back, which turns lighter.
    EXPECT_EQ(readableColor(rgb(110, 110, 110), kGreen), rgb(0x60, 0x60, 0x60));
    EXPECT_EQ(readableColor(rgb(128, 128, 128), rgb(32, 32, 32), kHighContrast), rgb(0xac, 0xac, 0xac));
    for (const Color back : {kWhite, kButtonFace, kCyan, kOrange, rgb(135, 206, 235), kBlue, kBlack})
        for (const Color fore : {kRed, kGreen, kBlue, kMagenta, kOrange, rgb(128, 128, 128)})
            EXPECT_GE(contrastRatio(readableColor(fore, back, kHighContrast), back), kHighContrast)
                << std::hex << fore << " on " << back;
}

TEST(Contrast, AReadableColourIsKept) {
    EXPECT_EQ(readableColor(rgb(255, 255, 0), rgb(0, 0, 128), kHighContrast), rgb(255, 255, 0));
    EXPECT_EQ(readableColor(kBlack, kRed), kBlack);
}

TEST(Contrast, TheHighContrastLookTurnsTheGreyFaceWhiteAndEveryTextReadable) {
    EXPECT_EQ(highContrastBack(kButtonFace), kWhite);
    EXPECT_EQ(highContrastBack(kRed), kRed);
    EXPECT_EQ(highContrastFore(kRed, kButtonFace), rgb(0xaf, 0, 0));
    EXPECT_EQ(highContrastFore(kBlack, kButtonFace), kBlack);
    EXPECT_GE(contrastRatio(kHighContrastDisabled, kWhite), kHighContrast);
    EXPECT_GE(contrastRatio(highContrastDisabled(kGreen), kGreen), kReadableContrast);
    EXPECT_GE(contrastRatio(highContrastDisabled(kBlue), kBlue), kReadableContrast);
}

} // namespace
} // namespace zorbal::platform
