// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows go and how large they are, and where the picture buttons pop up.
#include "platform/geometry.h"
#include "shell/popupposition.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

ScreenMetrics screenOf(int w, int h, double tpp = 15.0) {
    return {w * tpp, h * tpp, {tpp, tpp}};
}

TEST(Geometry, ClientSizeChangesKeepTheFrameAtEveryScale) {
    for (const double tpp : {15.0, 12.0, 7.5}) {
        const SizeTwips outer{430 * tpp, 480 * tpp}, client{420 * tpp, 400 * tpp};
        const SizeTwips out = outerSizeForClient(outer, client, {400, 400}, {tpp, tpp});
        EXPECT_DOUBLE_EQ(out.width, 410 * tpp) << tpp;
        EXPECT_DOUBLE_EQ(out.height, 480 * tpp) << tpp;
    }
}

TEST(Geometry, GameWindowIsTheLargestFourByThreeStrictlyBelowTheScreen) {
    const std::pair<SizePx, SizePx> cases[] = {
        {{1024, 768}, {960, 720}}, {{1920, 1080}, {1360, 1020}},
        {{800, 2000}, {720, 540}}, // 800 is not greater than 800
        {{801, 601}, {800, 600}},  {{320, 240}, {560, 420}}, // never below the smallest
    };
    for (const auto& [screen, client] : cases)
        EXPECT_EQ(gameClientSize(screen), client) << screen.width << "x" << screen.height;
}

// A third of the free height above the outer frame, the client inside the frame.
struct FrameCase {
    SizePx inner;
    FramePx frame;
    PointPx outerAt;
    PointPx clientAt;
};

class PlacedByFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(PlacedByFrame, AThirdOfTheFreeHeightAbove) {
    const FrameCase& c = GetParam();
    const SizePx outer = outerSize(c.inner, c.frame);
    const PointPx at =
        toPixels(placeWindow(screenOf(1024, 768), {outer.width * 15.0, outer.height * 15.0}), {15, 15});
    EXPECT_EQ(at, c.outerAt);
    EXPECT_EQ(clientOrigin(at, c.frame), c.clientAt);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, PlacedByFrame,
    ::testing::Values(FrameCase{{400, 420}, {1, 20, 1, 1}, {311, 109}, {312, 129}},
                      FrameCase{{960, 720}, {1, 20, 1, 1}, {31, 9}, {32, 29}},
                      FrameCase{{400, 420}, {0, 0, 0, 0}, {312, 116}, {312, 116}},
                      FrameCase{{400, 420}, {10, 30, 0, 0}, {307, 106}, {317, 136}}));

TEST(Geometry, CentredOnTheAreaWithTheTitleBarKeptInIt) {
    EXPECT_EQ(centreIn({0, 0, 1024, 768}, {543, 417}), (PointPx{240, 175}));
    EXPECT_EQ(centreIn({1024, 30, 1280, 994}, {360, 315}), (PointPx{1484, 369}));
    EXPECT_EQ(centreIn({100, 50, 640, 480}, {700, 300}), (PointPx{100, 140}));
    EXPECT_EQ(screenSizePx({15367.0, 11513.0, {15, 15}}), (SizePx{1024, 768}));
}

// Pointer, window, picture and the height above the client added up, rounded once;
// unequal twips per pixel catch an axis divided by the other's scale.
TEST(PopupPosition, AddsWindowPictureAndNonClientHeight) {
    const auto twips = [](PictureClick c, TwipsPerPixel t) {
        c.pointer = {c.pointer.x * t.x, c.pointer.y * t.y};
        c.windowTopLeft = {c.windowTopLeft.x * t.x, c.windowTopLeft.y * t.y};
        c.windowOuterHeight *= t.y;
        c.clientHeight *= t.y;
        c.pictureTopLeft = {c.pictureTopLeft.x * t.x, c.pictureTopLeft.y * t.y};
        return c;
    };
    EXPECT_EQ(popupPosition(twips({{199, 99}, {309, 107}, 447, 400, {0, 300}}, {15, 15}), {15, 15}),
              (PointPx{508, 553}));
    EXPECT_EQ(popupPosition(twips({{10, 20}, {309, 107}, 447, 400, {200, 300}}, {12, 9}), {12, 9}),
              (PointPx{519, 474}));
    PictureClick fractions; // 0.4666 px each: rounding each term first would give 0 and 0
    fractions.pointer = fractions.windowTopLeft = fractions.pictureTopLeft = {7, 7};
    fractions.windowOuterHeight = 7;
    EXPECT_EQ(popupPosition(fractions, {15, 15}), (PointPx{1, 2}));
    EXPECT_EQ(popupListPosition(3), 2);
    EXPECT_EQ(popupListPosition(0), std::nullopt);
}

} // namespace
} // namespace tarno
