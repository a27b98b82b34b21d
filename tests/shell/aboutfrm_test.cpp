// The about window: its fixed layout, and its modality over the main window.
#include "shell/aboutfrm.h"

#include "shell/form1.h"
#include "shell/maker.h"
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

#include <functional>

namespace tarno {
namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

TEST(AboutWindow, LayoutFontsAndColours) {
    aboutfrm window;
    EXPECT_EQ(window.windowTitle(), "About Tarno Playroom");
    EXPECT_EQ(window.size(), QSize(358, 294));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

    const QRect areas[11] = {{102, 20, 223, 19},  {102, 38, 223, 19},  {102, 64, 223, 19},
                             {102, 108, 241, 19}, {102, 124, 241, 19}, {102, 140, 241, 19},
                             {102, 166, 241, 19}, {102, 182, 241, 19}, {102, 198, 241, 19},
                             {102, 214, 241, 19}, {102, 230, 241, 19}};
    const QColor red(255, 0, 0);
    for (int i = 0; i < 11; ++i) {
        const QLabel* label = window.label(i);
        ASSERT_NE(label, nullptr) << i;
        EXPECT_EQ(label->geometry(), areas[i]) << i;
        EXPECT_EQ(label->font().family(), "Tahoma") << i;
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75) << i;
        EXPECT_EQ(label->font().bold(), i == 0) << i;
        EXPECT_TRUE(label->alignment() & Qt::AlignLeft) << i;
        EXPECT_EQ(label->palette().color(QPalette::WindowText) == red, i == 2) << i;
    }
    EXPECT_EQ(window.label(0)->text(), text(maker::kProductName));
    EXPECT_EQ(window.label(1)->text(), "Version 1.0");
    EXPECT_EQ(window.label(9)->text(), text(maker::kWebSiteAddress));

    EXPECT_EQ(window.okButton()->text(), "OK");
    EXPECT_EQ(window.okButton()->geometry(), QRect(100, 258, 69, 27));
    EXPECT_TRUE(window.okButton()->isDefault());
}

TEST(AboutWindow, DrawsTheProductIconAtSixtyFourPixels) {
    aboutfrm window;
    PictureArea* icon = window.icon();
    EXPECT_EQ(icon->geometry(), QRect(14, 16, 64, 64));
    QImage image(icon->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    icon->render(&image);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(drawn, 64 * 64 / 4) << "the icon should cover a good part of its square";
}

enum class Closing { OkButton, Enter, Escape, CloseBox };

struct CloseCase {
    const char* name;
    Closing how;
    int result;
};

class AboutOverMainWindow : public ::testing::TestWithParam<CloseCase> {
protected:
    void SetUp() override {
        StationActions actions;
        actions.openHelpPage = [this] { ++m_help; };
        actions.showAbout = [this] { m_result = showAbout(m_form1.get()); };
        m_form1 = std::make_unique<Form1>(std::move(actions));
        m_form1->show();
        m_form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form1.get()));
    }

    // Input as the platform delivers it, so modality applies.
    void pressF1() { QTest::keyClick(m_form1->windowHandle(), Qt::Key_F1); }
    void clickPlayPicture() {
        const QPoint at = m_form1->picture(1)->mapTo(m_form1.get(), QPoint(20, 20));
        QTest::mouseClick(m_form1->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }
    void clickPlayMenu() {
        QMenuBar* bar = m_form1->menuBar();
        const QPoint at =
            bar->mapTo(m_form1.get(), bar->actionGeometry(bar->actions().at(0)).center());
        QTest::mouseClick(m_form1->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }

    std::unique_ptr<Form1> m_form1;
    int m_help = 0;
    int m_result = -1;
};

TEST_P(AboutOverMainWindow, MainWindowIgnoresInputUntilClosed) {
    const CloseCase& c = GetParam();
    QSignalSpy released(m_form1.get(), &Form1::pictureReleased);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<aboutfrm*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        pressF1();
        clickPlayPicture();
        clickPlayMenu();
        EXPECT_EQ(m_help, 0);
        EXPECT_EQ(released.count(), 0);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        checked = true;
        switch (c.how) {
        case Closing::OkButton:
            QTest::mouseClick(window->okButton(), Qt::LeftButton);
            break;
        case Closing::Enter:
            QTest::keyClick(window->windowHandle(), Qt::Key_Return);
            break;
        case Closing::Escape:
            QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
            break;
        case Closing::CloseBox:
            window->windowHandle()->close();
            break;
        }
        // Should the window still be open, the test fails instead of hanging.
        QTimer::singleShot(2000, [] {
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
    });
    m_form1->aboutItem()->trigger();
    ASSERT_TRUE(checked);
    EXPECT_EQ(m_result, c.result);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Usable again: the same input now reaches the main window.
    m_form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form1.get()));
    pressF1();
    EXPECT_EQ(m_help, 1);
    clickPlayPicture();
    EXPECT_EQ(released.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    About, AboutOverMainWindow,
    ::testing::Values(CloseCase{"OkButton", Closing::OkButton, QDialog::Accepted},
                      CloseCase{"Enter", Closing::Enter, QDialog::Accepted},
                      CloseCase{"Escape", Closing::Escape, QDialog::Rejected},
                      CloseCase{"CloseBox", Closing::CloseBox, QDialog::Rejected}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarno
