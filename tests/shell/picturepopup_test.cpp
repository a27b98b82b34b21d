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

#include <functional>
#include <memory>

namespace tarno {
namespace {

void closeAllPopups() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

class PicturePopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        StationActions actions;
        actions.launchGame = [this](int index) { m_launched.push_back(index); };
        actions.showHiScores = [this](int slot) { m_shownSlots.push_back(slot); };
        m_form1 = std::make_unique<Form1>(std::move(actions));
        wirePicturePopups(*m_form1);
        m_form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form1.get()));
    }
    void TearDown() override { closeAllPopups(); }

    struct Seen {
        QMenu* popup = nullptr;
        QPoint at;
    };

    // Releases `button` over a picture; `whileOpen` runs once the popup is up. A popup
    // that is still open afterwards is dismissed, as Esc would.
    Seen releaseOver(int picture, Qt::MouseButton button, QPoint pos,
                     const std::function<void(QMenu*)>& whileOpen = {}) {
        Seen seen;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            seen.popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (seen.popup) {
                seen.at = seen.popup->pos();
                if (whileOpen)
                    whileOpen(seen.popup);
            }
            closeAllPopups();
            ran = true;
        });
        QTest::mouseClick(m_form1->picture(picture), button, Qt::NoModifier, pos);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
        return seen;
    }

    static void clickItem(QMenu* menu, QAction* item, Qt::MouseButton button = Qt::LeftButton) {
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(menu, button, Qt::NoModifier, menu->actionGeometry(item).center());
    }

    std::unique_ptr<Form1> m_form1;
    std::vector<int> m_launched;
    std::vector<int> m_shownSlots;
};

TEST_F(PicturePopupTest, TitlePictureShowsNothingAnywhere) {
    for (const QPoint pos : {QPoint(1, 1), QPoint(200, 150), QPoint(399, 299)}) {
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            EXPECT_EQ(releaseOver(0, button, pos).popup, nullptr);
        }
    }
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(m_shownSlots.empty());
}

struct ReleaseCase {
    int picture;
    Qt::MouseButton button;
    QPoint pos;
};

class PicturePopupShows : public PicturePopupTest,
                          public ::testing::WithParamInterface<ReleaseCase> {};

// Any button, anywhere in the picture: the same list object as under the menu bar, at the
// pointer moved left by the frame's left border and down by its bottom border.
TEST_P(PicturePopupShows, TheMenuBarsOwnListAtThePointer) {
    const ReleaseCase& c = GetParam();
    // QTest takes (0, 0) for "the centre", hence (1, 1) for the top left corner.
    // At the screen's top left the lists fit below the pointer, so the platform does not
    // shift them.
    m_form1->move(0, 0);
    QTest::qWait(10);
    const Seen seen = releaseOver(c.picture, c.button, c.pos);
    ASSERT_NE(seen.popup, nullptr);
    EXPECT_EQ(seen.popup, m_form1->menuList(c.picture - 1));
    const QPoint pointer = m_form1->picture(c.picture)->mapToGlobal(c.pos);
    const QRect outer = m_form1->frameGeometry();
    const QRect inner = m_form1->geometry();
    const QPoint expected(pointer.x() - (inner.left() - outer.left()),
                          pointer.y() + (outer.bottom() - inner.bottom()));
    EXPECT_EQ(picturePopupPoint(*m_form1, c.picture, c.pos), expected);
    // Qt moves a popup that would not fit on the screen; elsewhere it opens at the point.
    if (seen.popup->height() <= seen.popup->screen()->geometry().bottom() - expected.y()) {
        EXPECT_EQ(seen.at, expected);
    }
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(m_shownSlots.empty());
}

INSTANTIATE_TEST_SUITE_P(Popup, PicturePopupShows,
                         ::testing::Values(ReleaseCase{1, Qt::LeftButton, {1, 1}},
                                           ReleaseCase{1, Qt::RightButton, {1, 1}},
                                           ReleaseCase{1, Qt::LeftButton, {199, 99}},
                                           ReleaseCase{1, Qt::MiddleButton, {50, 40}},
                                           ReleaseCase{2, Qt::LeftButton, {1, 1}},
                                           ReleaseCase{2, Qt::RightButton, {199, 99}}));

TEST_F(PicturePopupTest, EleventhGameItemLaunchesPlayIndex14) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        m_launched.clear();
        const Seen seen = releaseOver(1, button, {20, 20}, [&](QMenu* popup) {
            ASSERT_GE(popup->actions().size(), 11);
            clickItem(popup, popup->actions().at(10), button);
        });
        ASSERT_NE(seen.popup, nullptr);
        EXPECT_EQ(m_launched, std::vector<int>{14});
    }
    EXPECT_TRUE(m_shownSlots.empty());
}

TEST_F(PicturePopupTest, AccessKeyInThePopupActsAsOnTheMenuBar) {
    // The first game's caption carries an access key; pressing it chooses the item.
    QAction* first = m_form1->playItem(1);
    ASSERT_NE(first, nullptr);
    const QString caption = first->text();
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    ASSERT_GE(amp, 0);
    const QChar key = caption.at(amp + 1).toLower();
    releaseOver(1, Qt::LeftButton, {5, 5},
                [&](QMenu* popup) { QTest::keyClick(popup, key.toLatin1()); });
    ASSERT_FALSE(m_launched.empty());
    EXPECT_EQ(m_launched.front(), 1);
}

TEST_F(PicturePopupTest, DismissingThePopupDoesNothing) {
    const Seen seen = releaseOver(2, Qt::LeftButton, {10, 10},
                                  [](QMenu* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    ASSERT_NE(seen.popup, nullptr);
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(m_shownSlots.empty());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

class BrikonSubMenu : public PicturePopupTest, public ::testing::WithParamInterface<int> {};

// Item 7 of the hi-score popup only opens its sub-menu; each sub-item opens its slot.
TEST_P(BrikonSubMenu, SubItemOpensItsSlot) {
    const int slot = GetParam();
    QMenu* sub = nullptr;
    releaseOver(2, Qt::LeftButton, {30, 30}, [&](QMenu* popup) {
        QAction* parentItem = m_form1->hiScoreItem(7);
        ASSERT_NE(parentItem, nullptr);
        ASSERT_TRUE(popup->actions().contains(parentItem));
        popup->setActiveAction(parentItem);
        QTest::keyClick(popup, Qt::Key_Right);
        sub = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(sub, nullptr);
        ASSERT_EQ(sub, parentItem->menu());
        // Opening the sub-menu chose nothing yet.
        EXPECT_TRUE(m_shownSlots.empty());
        clickItem(sub, m_form1->hiScoreSubItem(slot));
    });
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(m_shownSlots, std::vector<int>{slot});
    EXPECT_TRUE(m_launched.empty());
}

INSTANTIATE_TEST_SUITE_P(Popup, BrikonSubMenu, ::testing::Values(7, 11, 12, 13));

} // namespace
} // namespace tarno
