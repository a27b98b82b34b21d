// Placement and sizing of the main and game windows.
#include "shell/geometry.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

// A work area in twips at 15 twips per pixel, from pixels.
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

struct ClientCase {
    double tpp;
    SizeTwips outer;
    SizeTwips client;
    SizeTwips expected;
};

class ClientSize : public ::testing::TestWithParam<ClientCase> {};

// Only the client part changes; the frame keeps its size at every scale.
TEST_P(ClientSize, KeepsTheFrame) {
    const ClientCase& c = GetParam();
    const SizeTwips out = outerSizeForClient(c.outer, c.client, {400, 400}, {c.tpp, c.tpp});
    EXPECT_DOUBLE_EQ(out.width, c.expected.width);
    EXPECT_DOUBLE_EQ(out.height, c.expected.height);
    EXPECT_DOUBLE_EQ(out.width - (c.outer.width - c.client.width), 400 * c.tpp);
}

INSTANTIATE_TEST_SUITE_P(Geometry, ClientSize,
                         ::testing::Values(ClientCase{15, {6450, 7200}, {6300, 6000}, {6150, 7200}},
                                           ClientCase{15, {6090, 6705}, {6000, 6000}, {6090, 6705}},
                                           ClientCase{12, {5000, 5600}, {4600, 4800}, {5200, 5600}},
                                           ClientCase{
                                               7.5, {3100, 3500}, {3000, 3000}, {3100, 3500}}));

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

// The window manager's frame counts: the main window (400 x 420 with its menu bar) and
// the game window (960 x 720) under a frame of 1 px borders and a 20 px title bar.
struct FrameCase {
    SizePx inner;
    FramePx frame;
    PointPx outerAt;
    PointPx clientAt;
};

class PlacedByFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(PlacedByFrame, OneThirdOfTheFreeHeightAboveTheOuterFrame) {
    const FrameCase& c = GetParam();
    const SizePx outer = outerSize(c.inner, c.frame);
    const PointPx at = toPixels(
        placeWindow(areaOf(0, 0, 1024, 768), {outer.width * 15.0, outer.height * 15.0}), {15, 15});
    EXPECT_EQ(at, c.outerAt);
    EXPECT_EQ(clientOrigin(at, c.frame), c.clientAt);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, PlacedByFrame,
    ::testing::Values(FrameCase{{400, 420}, {1, 20, 1, 1}, {311, 109}, {312, 129}},
                      FrameCase{{960, 720}, {1, 20, 1, 1}, {31, 9}, {32, 29}},
                      // no window manager: the client area is the whole window
                      FrameCase{{400, 420}, {0, 0, 0, 0}, {312, 116}, {312, 116}},
                      // a frame heavier on one side moves the client, not the outer edge
                      FrameCase{{400, 420}, {10, 30, 0, 0}, {307, 106}, {317, 136}}));

struct CentreCase {
    RectPx area;
    SizePx outer;
    PointPx at;
};

class Centred : public ::testing::TestWithParam<CentreCase> {};

TEST_P(Centred, OnTheAreaOuterFrameIncluded) {
    EXPECT_EQ(centreIn(GetParam().area, GetParam().outer), GetParam().at);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, Centred,
    ::testing::Values(
        // the hi-score window: 541 x 396 inside a 1 + 1 by 20 + 1 frame
        CentreCase{{0, 0, 1024, 768}, {543, 417}, {240, 175}},
        // the about window: 358 x 294 inside the same frame
        CentreCase{{0, 0, 1024, 768}, {360, 315}, {332, 226}},
        // an area that does not start at the origin (a panel on top, a second screen)
        CentreCase{{1024, 30, 1280, 994}, {360, 315}, {1484, 369}},
        // larger than the area: the title bar stays in it
        CentreCase{{0, 0, 640, 480}, {962, 741}, {0, 0}},
        CentreCase{{100, 50, 640, 480}, {700, 300}, {100, 140}}));

TEST(Geometry, ScreenPixelsRoundToNearest) {
    EXPECT_EQ(screenSizePx({1024 * 12.0, 768 * 12.0, {12, 12}, {}}), (SizePx{1024, 768}));
    EXPECT_EQ(screenSizePx({15367.0, 11513.0, {15, 15}, {}}), (SizePx{1024, 768}));
}

} // namespace
} // namespace tarno
