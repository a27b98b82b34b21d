// SPDX-License-Identifier: GPL-3.0-or-later
// The game window and the channel bound to it: the name prompt, a movie's first request,
// the window closed in the middle of a solve, and the keys and commands it passes on.
#include "host/form2.h"
#include "host/gamechannel.h"
#include "platform/movieplayer.h"
#include "solver/model/generate.h"
#include "support/movierun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QLabel>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tarno {
namespace {

const char* const kTarno9 = "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032";
const char* const kTarno9Answer = "323030010031111013120012102102330032000012213";

class ProbeGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(program.path()).mkdir("modules"));
        ASSERT_TRUE(QFile::copy(PROBE_MOVIE, program.filePath("modules/tiles.swf")));
    }
    void writeMovie(const QByteArray& text) {
        QFile movie(program.filePath("modules/tiles.swf"));
        ASSERT_TRUE(movie.open(QIODevice::WriteOnly | QIODevice::Truncate));
        movie.write(text);
    }
    QTemporaryDir program;
};

// Runs `whileOpen` with the name prompt open over no window, then presses OK; gives
// the answer.
QString withPromptOpen(const QString& preset, const std::function<void(QInputDialog&)>& whileOpen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        whileOpen(*box);
        box->accept();
    });
    return askPlayerName(nullptr, preset);
}

TEST(NamePrompt, OffersThePresetAndGivesNothingWhenCancelled) {
    QString preset;
    EXPECT_EQ(withPromptOpen("Ann",
                             [&](QInputDialog& box) {
                                 preset = box.textValue();
                                 EXPECT_TRUE(box.isModal());
                                 box.setTextValue(QString()); // cleared, then OK
                             }),
              "");
    EXPECT_EQ(preset, "Ann");
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(askPlayerName(nullptr, "Bo"), ""); // the close box is Cancel
}

// Types `text` into `field` as a keyboard would, one character a key, any alphabet.
void type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

void waitOutTheFirstMoment() {
    QTest::qWait(static_cast<int>(kNamePromptTypingDelay.count()) + 50);
}

void sendKey(QWidget* to, QEvent::Type type, int key, quint64 ms) {
    QKeyEvent event(type, key, Qt::NoModifier, QKeySequence(key).toString().toLower());
    event.setTimestamp(ms);
    QApplication::sendEvent(to, &event);
}

TEST(NamePrompt, KeysMeantForTheGameNeverReachIt) {
    const QString answer = withPromptOpen("Ann", [](QInputDialog& box) {
        QWidget* field = box.findChild<QLineEdit*>();
        QTest::keyClick(field, Qt::Key_Space);            // pressed through the end of the round
        sendKey(field, QEvent::KeyPress, Qt::Key_X, 1000); // ... and held down
        waitOutTheFirstMoment();
        QKeyEvent marked(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x", true);
        QApplication::sendEvent(field, &marked);
        // X servers send repeats as a release and a press at the same moment.
        sendKey(field, QEvent::KeyRelease, Qt::Key_X, 1040);
        sendKey(field, QEvent::KeyPress, Qt::Key_X, 1040);
        sendKey(field, QEvent::KeyRelease, Qt::Key_X, 1300); // let go
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, "ie");
        sendKey(field, QEvent::KeyPress, Qt::Key_X, 2000); // typed anew
        sendKey(field, QEvent::KeyRelease, Qt::Key_X, 2050);
    });
    EXPECT_EQ(answer, "Anniex");
}

// What the field takes, and the line below it that shows how the name will be kept.
TEST(NamePrompt, TakesWhatARecordHoldsAndShowsHowItIsKept) {
    const struct {
        QString typed;
        QString field;
        QString kept; // empty: as typed
    } cases[] = {
        {"Zoë Ñúñez", "Zoë Ñúñez", ""},
        {"Łukasz Wąż", "Łukasz Wąż", "Lukasz Waz"},
        {"   ", "   ", "NoName Player"},
        {QString(60, 'x'), QString(50, 'x'), ""},
        // Щ takes four letters: twelve of them fill 48 of the 50.
        {QString(14, QChar(0x0429)), QString(12, QChar(0x0429)), QString("SHCH").repeated(12)},
    };
    withPromptOpen("", [&](QInputDialog& box) {
        auto* field = box.findChild<QLineEdit*>();
        auto* kept = box.findChild<QLabel*>("keptName");
        ASSERT_NE(kept, nullptr);
        waitOutTheFirstMoment();
        EXPECT_GE(kept->y(), field->geometry().bottom()) << "not below the field";
        const int height = box.height();
        for (const auto& c : cases) {
            field->clear();
            type(field, c.typed);
            EXPECT_EQ(field->text(), c.field) << c.typed.toStdString();
            EXPECT_EQ(kept->text(), c.kept.isEmpty() ? "" : "Kept in the list as: " + c.kept)
                << c.typed.toStdString();
            EXPECT_EQ(box.height(), height) << "the box changed its size";
        }
    });
}

// The program's own path: a modal game window in its nested loop, closed while the
// movie's solve runs; the window is destroyed only after the solve has unwound.
TEST_F(ProbeGame, TheModalWindowClosedDuringASolveReturnsAndIsDestroyed) {
    Form2::setCommandBinder([](Form2& window) { bindGameChannel(window); });
    QPointer<MoviePlayer> player;
    QVariant ignored;
    {
        Form2 window(*launchParametersFor(1), program.path());
        player = window.player();
        bool solving = false;
        bool closedDuringSolve = false;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(50, [&] {
                closedDuringSolve = solving;
                window.close();
            });
            solving = true;
            QMetaObject::invokeMethod(window.player()->rootItem(), "send",
                                      Q_RETURN_ARG(QVariant, ignored),
                                      Q_ARG(QVariant, "solvepuzzle"),
                                      Q_ARG(QVariant, QString::fromStdString(model::endlessText())));
            solving = false;
        });
        window.exec();
        EXPECT_TRUE(closedDuringSolve);
        EXPECT_TRUE(window.player()->rootItem()->property("answers").toStringList().isEmpty());
    }
    Form2::setCommandBinder({});
    EXPECT_TRUE(player.isNull());
}

TEST_F(ProbeGame, AMovieIsHeardFromItsFirstLine) {
    writeMovie(QByteArray("import QtQuick\n"
                          "Item { width: 64; height: 64\n"
                          "  property string solver_solve: 'none'\n"
                          "  Component.onCompleted: player.fscommand('solvepuzzle', '") +
               kTarno9 + "') }\n");
    MovieRun run("tarno9", program.path());
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    EXPECT_EQ(run.root()->property("solver_solve").toString(), kTarno9Answer);
}

using GameWindow = ProbeGame;

TEST_F(GameWindow, PlaysTheChosenGameFillingTheFixedWindow) {
    Form2 window(*launchParametersFor(4), program.path());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.player()->geometry(), QRect(QPoint(0, 0), window.size()));
    EXPECT_EQ(window.player()->movie(), program.filePath("modules/tiles.swf") + "?gameType=kpuzzle");
    EXPECT_TRUE(window.player()->isPlaying());
}

// Escape belongs to the game; Ctrl+W closes the window as the close box does, and the
// movie, even with a text field in focus, never sees it.
TEST_F(GameWindow, EscapeGoesToTheGameAndCtrlWClosesTheWindow) {
    writeMovie("import QtQuick\n"
               "TextInput { width: 640; height: 480; focus: true\n"
               "  Keys.onShortcutOverride: (e) => player.fscommand('key', e.key)\n"
               "  Keys.onPressed: (e) => player.fscommand('key', e.key) }\n");
    Form2 window(*launchParametersFor(1), program.path());
    QSignalSpy commands(&window, &Form2::commandReceived);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    const auto keysSeen = [&] {
        QList<int> keys;
        for (const QList<QVariant>& command : commands)
            keys << command.at(1).toInt();
        return keys;
    };
    EXPECT_TRUE(keysSeen().contains(Qt::Key_Escape));
    QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(keysSeen().contains(Qt::Key_W)); // Ctrl alone it may see
}

TEST_F(GameWindow, TheMovieSeesWhetherItsWindowIsInFront) {
    Form2 window(*launchParametersFor(1), program.path());
    auto* bridge = window.player()->findChild<MovieBridge*>();
    ASSERT_NE(bridge, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(bridge->active());
    QWidget prompt; // a window over the game, as the name prompt is
    prompt.show();
    prompt.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&prompt));
    EXPECT_FALSE(bridge->active());
}

} // namespace
} // namespace tarno
