// Where the picture buttons pop up their lists.
#include "shell/popupposition.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct PositionCase {
    const char* name;
    PictureClick click; // in pixels here; the test converts to twips
    TwipsPerPixel tpp;
    PointPx expected;
};

PictureClick inTwips(PictureClick c, TwipsPerPixel tpp) {
    c.pointer = {c.pointer.x * tpp.x, c.pointer.y * tpp.y};
    c.windowTopLeft = {c.windowTopLeft.x * tpp.x, c.windowTopLeft.y * tpp.y};
    c.windowOuterHeight *= tpp.y;
    c.clientHeight *= tpp.y;
    c.pictureTopLeft = {c.pictureTopLeft.x * tpp.x, c.pictureTopLeft.y * tpp.y};
    return c;
}

class PopupPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PopupPosition, AddsWindowPictureAndNonClientHeight) {
    const PositionCase& c = GetParam();
    EXPECT_EQ(popupPosition(inTwips(c.click, c.tpp), c.tpp), c.expected);
}

// The main window placed at (309, 107) with an outer size of 406 x 447 around its
// 400 x 400 client area: 47 pixels of title bar, menu bar and borders. Unequal twips
// per pixel catch an axis divided by the other's scale.
INSTANTIATE_TEST_SUITE_P(
    Popup, PopupPosition,
    ::testing::Values(
        PositionCase{"Play", {{199, 99}, {309, 107}, 447, 400, {0, 300}}, {15, 15}, {508, 553}},
        PositionCase{
            "OtherScale", {{10, 20}, {309, 107}, 447, 400, {200, 300}}, {12, 9}, {519, 474}},
        PositionCase{
            "WindowOffLeft", {{5, 5}, {-50, 0}, 430, 400, {0, 300}}, {15, 15}, {-45, 335}}),
    [](const auto& info) { return std::string(info.param.name); });

// Twips that do not fall on whole pixels are summed first and rounded once.
TEST(PopupPosition, RoundsTheFractionalSumOnce) {
    PictureClick click;
    click.pointer = {7, 7};       // 0.4666 px each
    click.windowTopLeft = {7, 7}; // 0.4666 px
    click.windowOuterHeight = 7;  // with client 0: 0.4666 px
    click.pictureTopLeft = {7, 7};
    // Across: 1.4 px; down: 1.866 px. Rounding each term first would give 0 and 0.
    EXPECT_EQ(popupPosition(click, {15, 15}), (PointPx{1, 2}));
}

} // namespace
} // namespace tarno
