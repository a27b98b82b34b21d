// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: its client area, button, menus from the catalogue,
// the picture buttons that pop up the menu bar's own lists, and the about window over it.
#include "shell/aboutfrm.h"
#include "shell/catalogue.h"
#include "shell/form1.h"
#include "shell/picturearea.h"
#include "shell/picturepopup.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarno {
namespace {

struct Recorder {
    std::vector<int> launched;
    std::vector<int> slots;
    int help = 0;
    int webSite = 0;
    int about = 0;

    StationActions actions() {
        return {[this](int i) { launched.push_back(i); }, [this](int s) { slots.push_back(s); },
                [this] { ++help; }, [this] { ++webSite; }, [this] { ++about; }};
    }
};

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : form(recorder.actions()) {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    Recorder recorder;
    Form1 form;
};

TEST_F(MainWindow, ClientAreaIsExactlyFourHundredSquareAndFixed) {
    EXPECT_EQ(form.centralWidget()->size(), QSize(400, 400));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect expected[3] = {{0, 0, 400, 300}, {0, 300, 200, 100}, {200, 300, 200, 100}};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form.picture(i)->geometry(), expected[i]) << i;
}

TEST_F(MainWindow, PlayListFollowsTheCatalogue) {
    const QList<QAction*> items = form.menuList(0)->actions();
    ASSERT_EQ(items.size(), 19);
    for (int i = 0; i < 19; ++i) {
        const GameRow& row = playMenu()[i];
        EXPECT_EQ(items[i]->text().toStdString(), row.playCaption);
        EXPECT_EQ(items[i]->data().toInt(), row.playIndex);
    }
    items[10]->trigger(); // the eleventh item
    items[0]->trigger();
    EXPECT_EQ(recorder.launched, (std::vector<int>{14, 1}));
}

TEST_F(MainWindow, HiScoreListHasTheBrikonSubMenu) {
    const QList<QAction*> items = form.menuList(1)->actions();
    ASSERT_EQ(items.size(), 14);
    std::vector<int> indexes;
    for (QAction* item : items)
        indexes.push_back(item->data().toInt());
    EXPECT_EQ(indexes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 16, 17}));
    QAction* brikon = form.hiScoreItem(7);
    for (QAction* item : items) // only Brikon opens a sub-menu
        EXPECT_EQ(item->menu() != nullptr, item == brikon) << item->text().toStdString();
    ASSERT_NE(brikon->menu(), nullptr);
    brikon->trigger(); // only opens its sub-menu
    EXPECT_TRUE(recorder.slots.empty());
    for (QAction* sub : brikon->menu()->actions())
        sub->trigger();
    form.hiScoreItem(14)->trigger();
    EXPECT_EQ(recorder.slots, (std::vector<int>{7, 11, 12, 13, 14}));
}

TEST_F(MainWindow, HelpListAndShortcut) {
    QTest::keyClick(form.webSiteButton(), Qt::Key_F1); // from anywhere in the window
    QTest::keyClick(form.picture(0), Qt::Key_F1);
    EXPECT_EQ(recorder.help, 2);
    form.aboutItem()->trigger();
    EXPECT_EQ(recorder.about, 1);
    QTest::mouseClick(form.webSiteButton(), Qt::LeftButton);
    EXPECT_EQ(recorder.webSite, 1);
}

TEST_F(MainWindow, ExitOnTheBarEndsTheProgram) {
    QAction* exit = form.exitItem();
    EXPECT_EQ(exit->menu(), nullptr);
    EXPECT_TRUE(form.menuBar()->actions().contains(exit));
    QTimer::singleShot(0, exit, &QAction::trigger);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // never reached
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(recorder.launched.empty());
}

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

class PicturePopup : public MainWindow, public ::testing::WithParamInterface<PopupCase> {
protected:
    void SetUp() override {
        wirePicturePopups(form);
        // At the screen's top left the lists fit below the pointer, so the platform does
        // not shift them.
        form.move(0, 0);
        QTest::qWait(10);
    }
    void TearDown() override { closeAllPopups(); }
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
                    EXPECT_TRUE(recorder.slots.empty()) << "opening a sub-menu chose nothing";
                } else {
                    QTest::mouseClick(menu, c.button, Qt::NoModifier,
                                      menu->actionGeometry(item).center());
                }
            }
        }
        closeAllPopups();
        ran = true;
    });
    QTest::mouseClick(form.picture(c.picture), c.button, Qt::NoModifier, c.pos);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
    EXPECT_EQ(recorder.launched, c.launched);
    EXPECT_EQ(recorder.slots, c.shownSlots);
    if (c.picture == 0) {
        EXPECT_EQ(popup, nullptr);
        return;
    }
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup, form.menuList(c.picture - 1));
    const QPoint pointer = form.picture(c.picture)->mapToGlobal(c.pos);
    const QRect outer = form.frameGeometry();
    const QRect inner = form.geometry();
    const QPoint expected(pointer.x() - (inner.left() - outer.left()),
                          pointer.y() + (outer.bottom() - inner.bottom()));
    EXPECT_EQ(picturePopupPoint(form, c.picture, c.pos), expected);
    // Qt moves a popup that would not fit on the screen; elsewhere it opens at the point.
    if (popup->height() <= popup->screen()->geometry().bottom() - expected.y())
        EXPECT_EQ(at, expected);
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

TEST(AboutWindow, OneLineBoldOneRedAndTheIconDrawn) {
    aboutfrm window;
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (int i = 0; i < 11; ++i) {
        const QLabel* label = window.label(i);
        EXPECT_EQ(label->font().bold(), i == 0) << i;
        EXPECT_EQ(label->palette().color(QPalette::WindowText) == QColor(255, 0, 0), i == 2) << i;
    }
    EXPECT_LE(window.label(9)->fontMetrics().horizontalAdvance(window.label(9)->text()),
              window.label(9)->width());
    EXPECT_TRUE(window.okButton()->isDefault());

    QImage image(window.icon()->size(), QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(64, 64));
    image.fill(Qt::transparent);
    window.icon()->render(&image);
    int drawn = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(drawn, 64 * 64 / 4) << "a missing or unscaled icon leaves its square empty";
}

// Opened from the menu, the window holds the whole program until OK closes it.
TEST(AboutOverMainWindow, IsModalUntilClosed) {
    StationActions actions;
    Form1* form1 = nullptr;
    actions.showAbout = [&form1] { showAbout(form1); };
    Form1 main(std::move(actions));
    form1 = &main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<aboutfrm*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
        checked = true;
        QTest::mouseClick(window->okButton(), Qt::LeftButton);
        QTimer::singleShot(2000, [] { // fails instead of hanging should it stay open
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
    });
    main.aboutItem()->trigger();
    ASSERT_TRUE(checked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace tarno
