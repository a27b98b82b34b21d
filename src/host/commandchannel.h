// SPDX-License-Identifier: GPL-3.0-or-later
// The movie command channel: what the station does with a running movie's commands.
#pragma once

#include "solver/eventpump.h"
#include "scores/recorder.h"
#include "solver/search.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// The modal box that asks for the player's name. Returns the text as typed, or the
// empty text when the player cancels.
class NamePrompt {
public:
    virtual ~NamePrompt() = default;
    virtual std::string askName(const std::string& preset) = 0;
};

// The running movie's variables, written with the player's SetVariable.
class MovieVariables {
public:
    virtual ~MovieVariables() = default;
    virtual void SetVariable(const std::string& name, const std::string& value) = 0;
};

// The command words and the texts the channel uses.
namespace channeltext {
constexpr const char* kWriteScore = "writescore";
constexpr const char* kSolvePuzzle = "solvepuzzle";
constexpr const char* kStopSolving = "stopsolving";
constexpr const char* kAnswerVariable = "solver_solve";
constexpr const char* kNoName = "NoName Player";
} // namespace channeltext

// Where the name of a "writescore" list comes from: the element that holds it for the
// slots whose movies ask the player themselves, or -1 for the name prompt.
int nameElementFor(std::string_view slotId);

// The name the prompt's answer is recorded under: the answer as typed, or "NoName
// Player" when it is empty or only spaces.
std::string nameForAnswer(std::string_view answer);

// One game window's channel. Commands are handled on the calling thread, and a command
// that arrives while another is being handled (through the name prompt, the hi-score
// window or the solver's event pump) is handled at once, nested inside it.
class CommandChannel {
public:
    struct Parts {
        ScoreFile& file;
        HiScoreView& hiScores;
        NamePrompt& prompt;
        MovieVariables& movie;
        EventPump& pump;
    };
    explicit CommandChannel(Parts parts, SolveOptions options = {});
    CommandChannel(const CommandChannel&) = delete;
    CommandChannel& operator=(const CommandChannel&) = delete;

    // The player's FSCommand event. Returns when the command has been handled: after
    // the hi-score window has closed, after the answer has been set.
    void FSCommand(std::string_view command, std::string_view args);

    // The movie is gone: every running solve stops at its next check and answers
    // nothing, and later commands are ignored.
    void close();
    bool isClosed() const { return m_closed; }

    // Set by "stopsolving", cleared when a "solvepuzzle" starts.
    bool stopRequested() const { return m_stopRequested; }
    // Solves in progress, nested ones counted; all but the newest are already stopped.
    int solvesRunning() const { return static_cast<int>(m_running.size()); }

private:
    void writeScore(std::string_view args);
    void solvePuzzle(std::string_view args);
    void stopSolving();

    Parts m_parts;
    SolveOptions m_options;
    bool m_stopRequested = false;
    bool m_closed = false;
    // The stop flags of the running solves, outermost first.
    std::vector<std::atomic<bool>*> m_running;
};

} // namespace tarno
