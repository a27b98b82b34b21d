// SPDX-License-Identifier: GPL-3.0-or-later
// MovieRun: plays a catalogue movie through the real game window, player and command
// channel, for tests of game movies.
// - The run's current directory is a fresh temporary folder, so scores.lst is its own;
//   records() reads it. What movies keep with player.store lives in one folder for the
//   whole test program (gui_test_main.cpp), so a later run sees what an earlier one kept.
// - The movie is modules/<movieFile> beside the test executable, or beside `programDir`
//   for probe movies of a test's own.
// - The window is shown application-modal but without a nested loop of its own, as the
//   program shows it; its commands go through the program's own channel binding and are
//   handled before fscommand returns, so call() returns after them.
// - A watcher answers the modal windows the channel opens, inside their own loops: name
//   prompts get answerNamePrompt()'s text (by default the preset), hi-score windows and
//   message boxes OK. Do not destroy the run while a call() is on the stack.
#pragma once

#include "scores/scorerecord.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
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
    explicit MovieRun(const QString& gameType, const QString& programDir = {});
    ~MovieRun();
    MovieRun(const MovieRun&) = delete;
    MovieRun& operator=(const MovieRun&) = delete;

    Form2* window() const { return m_window.get(); }
    // The movie's root item; null when the movie could not be played.
    QQuickItem* root() const;
    QString errorText() const;

    // Calls a JavaScript function of the root with arguments of plain data.
    QVariant call(const char* function, const QVariantList& args = {});
    // Runs `body` as the body of a JavaScript function in the root's scope, where the root
    // is also `movie`, and gives its value (objects and arrays as plain Qt data). Fails
    // the current test on an error.
    QVariant evaluate(const QString& body);
    // Lets events through until `condition` holds; false after `timeoutMs`.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
        return QTest::qWaitFor(condition, timeoutMs);
    }

    void answerNamePrompt(const QString& name) { m_promptText = name; }
    QStringList namePromptPresets() const { return m_presets; }
    int hiScoreWindowsShown() const { return m_hiScoreWindows; }

    // Every "command|args" the movie sent, in order; every value set for "solver_solve".
    QStringList commands() const { return m_commands; }
    QStringList answers() const { return m_answers; }
    // Closes the window as its close box does, also from inside a running command.
    void closeGameWindow();

    QString folder() const { return m_folder.path(); }
    std::vector<ScoreRecord> records() const;

private:
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
