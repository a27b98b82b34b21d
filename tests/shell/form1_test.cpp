// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: its client area, its button and the menu tree
// built from the catalogue, driven through the real window.
#include "shell/catalogue.h"
#include "shell/form1.h"
#include "shell/picturearea.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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
    EXPECT_EQ(form.windowTitle(), "Tarno Playroom 1.0");
    EXPECT_EQ(form.centralWidget()->size(), QSize(400, 400));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect expected[3] = {{0, 0, 400, 300}, {0, 300, 200, 100}, {200, 300, 200, 100}};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form.picture(i)->geometry(), expected[i]) << i;
    EXPECT_EQ(form.webSiteButton()->geometry(), QRect(246, 16, 141, 35));
    EXPECT_EQ(form.webSiteButton()->text(), "Visit tarno.example");
    EXPECT_TRUE(form.webSiteButton()->font().bold());
}

TEST_F(MainWindow, PlayListFollowsTheCatalogue) {
    QStringList bar;
    for (QAction* entry : form.menuBar()->actions())
        bar << entry->text();
    EXPECT_EQ(bar, QStringList({"&Play Game", "&Hi Scores", "&Help", "E&xit"}));
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
    EXPECT_EQ(brikon->text(), "&Brikon");
    brikon->trigger(); // only opens its sub-menu
    EXPECT_TRUE(recorder.slots.empty());

    QStringList captions;
    for (QAction* sub : brikon->menu()->actions()) {
        captions << sub->text();
        sub->trigger();
    }
    EXPECT_EQ(captions, QStringList({"&Unlimited", "&1 minute", "&3 minute", "&5 minute"}));
    form.hiScoreItem(14)->trigger();
    EXPECT_EQ(recorder.slots, (std::vector<int>{7, 11, 12, 13, 14}));
}

TEST_F(MainWindow, HelpListAndShortcut) {
    const QList<QAction*> items = form.menuList(2)->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&Get online help");
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "&About");

    QTest::keyClick(form.webSiteButton(), Qt::Key_F1); // from anywhere in the window
    QTest::keyClick(form.picture(0), Qt::Key_F1);
    EXPECT_EQ(recorder.help, 2);
    items[2]->trigger();
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

TEST_F(MainWindow, PlacedCentredWithOneThirdOfTheFreeHeightAbove) {
    const QRect area = form.screen()->availableGeometry();
    const QRect frame = form.frameGeometry();
    EXPECT_NEAR(frame.x(), area.x() + (area.width() - frame.width()) / 2.0, 1.0);
    EXPECT_NEAR(frame.y(), area.y() + (area.height() - frame.height()) / 3.0, 1.0);
}

} // namespace
} // namespace tarno
