// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows go and how large they are, and where the picture buttons pop up.
#include "platform/geometry.h"
#include "shell/popupposition.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

RectTwips areaOf(int x, int y, int w, int h) {
    return {x * 15.0, y * 15.0, w * 15.0, h * 15.0};
}

struct PlaceCase {
    RectTwips area;
    SizePx outer;
    PointPx at;
};

class Placed : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Placed, CentredAcrossWithOneThirdOfTheFreeHeightAbove) {
    const PlaceCase& c = GetParam();
    const PointTwips at = placeWindow(c.area, {c.outer.width * 15.0, c.outer.height * 15.0});
    EXPECT_EQ(toPixels(at, {15, 15}), c.at);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, Placed,
    ::testing::Values(PlaceCase{areaOf(0, 0, 1024, 768), {406, 447}, {309, 107}},
                      // panels: 32 px on top, 44 px below, 48 px on the left
                      PlaceCase{areaOf(0, 32, 1024, 692), {406, 447}, {309, 114}},
                      PlaceCase{areaOf(48, 32, 1872, 1004), {1282, 981}, {343, 40}},
                      // larger than the area: the title bar stays inside it
                      PlaceCase{areaOf(0, 32, 1024, 692), {962, 741}, {31, 32}}));

TEST(Geometry, ClientSizeChangesKeepTheFrameAtEveryScale) {
    for (const double tpp : {15.0, 12.0, 7.5}) {
        const SizeTwips outer{430 * tpp, 480 * tpp}, client{420 * tpp, 400 * tpp};
        const SizeTwips out = outerSizeForClient(outer, client, {400, 400}, {tpp, tpp});
        EXPECT_DOUBLE_EQ(out.width, 410 * tpp) << tpp;
        EXPECT_DOUBLE_EQ(out.height, 480 * tpp) << tpp;
    }
}

struct SeriesCase {
    SizePx screen;
    SizePx client;
    SizePx workArea = screen;
    FramePx frame = {};
};

class GameWindowSize : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(GameWindowSize, LargestFourByThreeBelowTheScreenWhoseFrameFitsTheWorkArea) {
    const SeriesCase& c = GetParam();
    EXPECT_EQ(gameClientSize(c.screen, c.workArea, c.frame), c.client);
}

constexpr FramePx kTitleBar{1, 20, 1, 1};

INSTANTIATE_TEST_SUITE_P(
    Geometry, GameWindowSize,
    ::testing::Values(SeriesCase{{640, 480}, {560, 420}}, SeriesCase{{800, 600}, {720, 540}},
                      SeriesCase{{1024, 768}, {960, 720}}, SeriesCase{{1280, 1024}, {1200, 900}},
                      SeriesCase{{1920, 1080}, {1360, 1020}},
                      // 800 is not greater than 800: the 800 x 600 step is not allowed
                      SeriesCase{{800, 2000}, {720, 540}}, SeriesCase{{801, 601}, {800, 600}},
                      // too small for any step: the smallest size, never 0 x 0
                      SeriesCase{{560, 420}, {560, 420}}, SeriesCase{{320, 240}, {560, 420}},
                      SeriesCase{{0, 0}, {560, 420}},
                      // the frame and the panels count
                      SeriesCase{{1024, 768}, {960, 720}, {1024, 768}, kTitleBar},
                      SeriesCase{{1024, 768}, {880, 660}, {1024, 736}, kTitleBar},
                      SeriesCase{{1920, 1080}, {1280, 960}, {1920, 1004}, kTitleBar},
                      // exactly the room a step needs is enough
                      SeriesCase{{1920, 1080}, {1200, 900}, {1202, 921}, kTitleBar}));

TEST(Geometry, CentredOnTheAreaWithTheTitleBarKeptInIt) {
    EXPECT_EQ(centreIn({0, 0, 1024, 768}, {543, 417}), (PointPx{240, 175}));
    EXPECT_EQ(centreIn({1024, 30, 1280, 994}, {360, 315}), (PointPx{1484, 369}));
    EXPECT_EQ(centreIn({100, 50, 640, 480}, {700, 300}), (PointPx{100, 140}));
    EXPECT_EQ(centreIn({0, 0, 640, 480}, {962, 741}), (PointPx{0, 0}));
    EXPECT_EQ(screenSizePx({15367.0, 11513.0, {15, 15}, {}}), (SizePx{1024, 768}));
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
