// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: its texts and fonts, and its modality over the main window.
#include "shell/aboutfrm.h"

#include "shell/form1.h"
#include "shell/picturearea.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(AboutWindow, TextsFontsAndColours) {
    aboutfrm window;
    EXPECT_EQ(window.windowTitle(), "About Tarno Playroom");
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // One shared font or palette would make every line bold or red.
    for (int i = 0; i < 11; ++i) {
        const QLabel* label = window.label(i);
        EXPECT_EQ(label->font().family(), "Tahoma") << i;
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75) << i;
        EXPECT_EQ(label->font().bold(), i == 0) << i;
        EXPECT_EQ(label->palette().color(QPalette::WindowText) == QColor(255, 0, 0), i == 2) << i;
    }
    EXPECT_EQ(window.label(1)->text(), "Version 1.0");
    // While the maker's host is reserved, the line names the installed help page that the
    // web-site button opens.
    EXPECT_TRUE(window.label(9)->toolTip().endsWith("/help/games.html"))
        << window.label(9)->toolTip().toStdString();
    EXPECT_LE(window.label(9)->fontMetrics().horizontalAdvance(window.label(9)->text()),
              window.label(9)->width());
    EXPECT_EQ(window.okButton()->text(), "OK");
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

struct CloseCase {
    const char* name;
    void (*close)(aboutfrm*);
};

class AboutOverMainWindow : public ::testing::TestWithParam<CloseCase> {
protected:
    void SetUp() override {
        StationActions actions;
        actions.openHelpPage = [this] { ++m_help; };
        actions.showAbout = [this] { showAbout(m_form1.get()); };
        m_form1 = std::make_unique<Form1>(std::move(actions));
        m_form1->show();
        m_form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form1.get()));
    }

    // F1, a release over the play picture and a click on the menu bar, delivered as the
    // platform does so that modality applies.
    void pokeMainWindow() {
        QWindow* window = m_form1->windowHandle();
        QTest::keyClick(window, Qt::Key_F1);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                          m_form1->picture(1)->mapTo(m_form1.get(), QPoint(20, 20)));
        QMenuBar* bar = m_form1->menuBar();
        QTest::mouseClick(
            window, Qt::LeftButton, Qt::NoModifier,
            bar->mapTo(m_form1.get(), bar->actionGeometry(bar->actions().at(0)).center()));
    }

    std::unique_ptr<Form1> m_form1;
    int m_help = 0;
};

TEST_P(AboutOverMainWindow, MainWindowIgnoresInputUntilClosed) {
    QSignalSpy released(m_form1.get(), &Form1::pictureReleased);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<aboutfrm*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        pokeMainWindow();
        EXPECT_EQ(m_help, 0);
        EXPECT_EQ(released.count(), 0);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        checked = true;
        GetParam().close(window);
        // Should the window still be open, the test fails instead of hanging.
        QTimer::singleShot(2000, [] {
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
    });
    m_form1->aboutItem()->trigger();
    ASSERT_TRUE(checked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Usable again: the same input now reaches the main window.
    m_form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form1.get()));
    pokeMainWindow();
    EXPECT_EQ(m_help, 1);
    EXPECT_EQ(released.count(), 1);
    QWidget* menu = QApplication::activePopupWidget();
    EXPECT_NE(menu, nullptr);
    if (menu)
        menu->close();
}

INSTANTIATE_TEST_SUITE_P(
    About, AboutOverMainWindow,
    ::testing::Values(
        CloseCase{"OkButton",
                  [](aboutfrm* w) { QTest::mouseClick(w->okButton(), Qt::LeftButton); }},
        CloseCase{"Escape",
                  [](aboutfrm* w) { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarno
