// SPDX-License-Identifier: GPL-3.0-or-later
// MovieRun: plays a catalogue movie through the real game window, player and command
// channel, for tests of game movies.
//
//   MovieRun run("tarno9");                 // Form2 for the catalogue row of this gameId
//   run.answerNamePrompt("Ann");            // name prompts that open get "Ann" and OK
//   run.call("finishGame", {83456});        // a JS function of the movie's root
//   run.evaluate("newGame(4); return game.score");
//   run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; });
//   EXPECT_EQ(run.records().back().slot, 1);
//
// - The run changes the current directory to a fresh temporary folder for its lifetime,
//   so scores.lst is its own; records() reads it. What movies keep with player.store
//   lives in one folder for the whole test program (gui_test_main.cpp), so a later run
//   sees what an earlier one kept.
// - The movie is found the way the program finds it: modules/<movieFile> beside the
//   test executable (the build copies every movie there). The second constructor takes
//   another program folder, for probe movies of a test's own.
// - The game window is shown application-modal but not blocking (as the program shows
//   it, without a nested loop of its own), and its commands go through the program's
//   own channel binding. call() returns when the movie's function returns, which is
//   after every command it sent has been handled (commands are handled before
//   fscommand returns).
// - Name prompts, hi-score windows and message boxes that open are answered at once
//   by a watcher that runs inside their own modal loops: the prompt gets the text of
//   answerNamePrompt() (by default the preset, as if OK were pressed); hi-score windows
//   and message boxes get OK. Prompts and hi-score windows are counted.
// - commands() lists every "command|args" the movie sent, in the order they arrived;
//   answers() every value the program set for "solver_solve".
// - Do not destroy the run while a call() is on the stack.
#pragma once

#include "scores/scorerecord.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QQuickItem;

namespace tarno {

class Form2;

class MovieRun {
public:
    explicit MovieRun(const QString& gameType);
    MovieRun(const QString& gameType, const QString& programDir);
    ~MovieRun();
    MovieRun(const MovieRun&) = delete;
    MovieRun& operator=(const MovieRun&) = delete;

    Form2* window() const { return m_window.get(); }
    // The movie's root item; null when the movie could not be played.
    QQuickItem* root() const;
    // Why the movie could not be played, or empty.
    QString errorText() const;

    // Calls a JavaScript function of the root with up to ten arguments and gives its
    // value. Fails the current test when the root has no such function.
    QVariant call(const char* function, const QVariantList& args = {});
    // Runs `body` as the body of a JavaScript function in the root's scope, where the root
    // is also `movie`, and gives its value (objects and arrays as plain Qt data). Fails
    // the current test on an error.
    QVariant evaluate(const QString& body);
    // Lets events through until `condition` holds; false after `timeoutMs`.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

    void answerNamePrompt(const QString& name);
    // The preset text of every name prompt that opened.
    QStringList namePromptPresets() const { return m_presets; }
    int hiScoreWindowsShown() const { return m_hiScoreWindows; }

    QStringList commands() const { return m_commands; }
    // Closes the window as its close box does, also from inside a running command.
    void closeGameWindow();
    QStringList answers() const { return m_answers; }

    // The folder that is the current directory during the run.
    QString folder() const { return m_folder.path(); }
    std::vector<ScoreRecord> records() const;

private:
    void open(const QString& gameType, const QString& programDir);
    void answerOpenDialogs();

    QTemporaryDir m_folder;
    QString m_previousFolder;
    QTimer m_watcher;
    std::optional<QString> m_promptText; // none: keep the preset
    QStringList m_presets;
    int m_hiScoreWindows = 0;
    QStringList m_commands;
    QStringList m_answers;
    std::unique_ptr<Form2> m_window;
};

} // namespace tarno
