// SPDX-License-Identifier: GPL-3.0-or-later
// The picture buttons pop up the menu bar's own lists; choosing an item there runs the
// menu bar's handler.
#include "shell/picturepopup.h"

#include "shell/form1.h"
#include "shell/picturearea.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tarno {
namespace {

void closeAllPopups() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

struct PopupCase {
    const char* name;
    int picture;
    Qt::MouseButton button;
    QPoint pos;                 // QTest takes (0, 0) for "the centre", hence (1, 1) for the corner
    std::vector<int> path = {}; // items to choose: all but the last open their sub-menu
    std::vector<int> launched = {};
    std::vector<int> shownSlots = {};
};

class PicturePopup : public ::testing::TestWithParam<PopupCase> {
protected:
    void SetUp() override {
        StationActions actions;
        actions.launchGame = [this](int index) { m_launched.push_back(index); };
        actions.showHiScores = [this](int slot) { m_shownSlots.push_back(slot); };
        m_form1 = std::make_unique<Form1>(std::move(actions));
        wirePicturePopups(*m_form1);
        m_form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form1.get()));
        // At the screen's top left the lists fit below the pointer, so the platform does
        // not shift them.
        m_form1->move(0, 0);
        QTest::qWait(10);
    }
    void TearDown() override { closeAllPopups(); }

    std::unique_ptr<Form1> m_form1;
    std::vector<int> m_launched;
    std::vector<int> m_shownSlots;
};

// Any button, anywhere in the picture: the same list object as under the menu bar, at the
// pointer moved left by the frame's left border and down by its bottom border. A chosen
// item runs its handler; a popup closed unchosen runs nothing.
TEST_P(PicturePopup, ShowsTheMenuBarsOwnListAtThePointer) {
    const PopupCase& c = GetParam();
    QMenu* popup = nullptr;
    QPoint at;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (popup) {
            at = popup->pos();
            QMenu* menu = popup;
            for (std::size_t i = 0; menu && i < c.path.size(); ++i) {
                QAction* item = menu->actions().value(c.path[i]);
                ASSERT_NE(item, nullptr);
                if (i + 1 < c.path.size()) {
                    menu->setActiveAction(item);
                    QTest::keyClick(menu, Qt::Key_Right);
                    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    EXPECT_TRUE(m_shownSlots.empty()) << "opening a sub-menu chose nothing";
                } else {
                    QTest::mouseClick(menu, c.button, Qt::NoModifier,
                                      menu->actionGeometry(item).center());
                }
            }
        }
        closeAllPopups();
        ran = true;
    });
    QTest::mouseClick(m_form1->picture(c.picture), c.button, Qt::NoModifier, c.pos);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
    EXPECT_EQ(m_launched, c.launched);
    EXPECT_EQ(m_shownSlots, c.shownSlots);
    if (c.picture == 0) {
        EXPECT_EQ(popup, nullptr);
        return;
    }
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup, m_form1->menuList(c.picture - 1));
    const QPoint pointer = m_form1->picture(c.picture)->mapToGlobal(c.pos);
    const QRect outer = m_form1->frameGeometry();
    const QRect inner = m_form1->geometry();
    const QPoint expected(pointer.x() - (inner.left() - outer.left()),
                          pointer.y() + (outer.bottom() - inner.bottom()));
    EXPECT_EQ(picturePopupPoint(*m_form1, c.picture, c.pos), expected);
    // Qt moves a popup that would not fit on the screen; elsewhere it opens at the point.
    if (popup->height() <= popup->screen()->geometry().bottom() - expected.y()) {
        EXPECT_EQ(at, expected);
    }
}

// Item 11 of the play list is play index 14; item 7 of the hi-score list is the Brikon
// sub-menu, whose third item is slot 12.
INSTANTIATE_TEST_SUITE_P(
    Popup, PicturePopup,
    ::testing::Values(PopupCase{"TitleLeft", 0, Qt::LeftButton, {200, 150}},
                      PopupCase{"PlayLeftEleventh", 1, Qt::LeftButton, {20, 20}, {10}, {14}},
                      PopupCase{"PlayRightEleventh", 1, Qt::RightButton, {199, 99}, {10}, {14}},
                      PopupCase{
                          "HiScoresRightBrikon", 2, Qt::RightButton, {1, 1}, {6, 2}, {}, {12}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarno
