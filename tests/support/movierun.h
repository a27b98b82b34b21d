// SPDX-License-Identifier: GPL-3.0-or-later
// MovieRun: plays a catalogue movie (modules/<file> beside the test program, or beside
// `programDir`) through the real game window, player and command channel, in a fresh
// current folder with its own scores.lst. The window is modal without a nested loop, as
// in the program; a watcher answers the name prompt (answerNamePrompt()'s text, by
// default the preset), hi-score windows and message boxes. Never destroy it inside call().
#pragma once

#include "scores/scorerecord.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

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
    QQuickItem* root() const;
    QString errorText() const;

    QVariant call(const char* function, const QVariantList& args = {});
    // Runs `body` as the body of a JavaScript function in the root's scope, where the root
    // is also `movie`, and gives its value (objects and arrays as plain Qt data). Fails
    // the current test on an error.
    QVariant evaluate(const QString& body);

    void answerNamePrompt(const QString& name) { m_promptText = name; }
    QStringList namePromptPresets() const { return m_presets; }
    int hiScoreWindowsShown() const { return m_hiScoreWindows; }

    // Every "command|args" the movie sent, in order; every value set for "solver_solve".
    QStringList commands() const { return m_commands; }
    QStringList answers() const { return m_answers; }
    // Closes the window as its close box does, also from inside a running command.
    void closeGameWindow();

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
