// SPDX-License-Identifier: GPL-3.0-or-later
// The command channel. Every solve has a stop flag of its own, so that a solve
// nested inside another can be told apart from it: "stopsolving" stops whatever is
// running, and a new "solvepuzzle" stops the ones it interrupts, so only the newest
// answers.
#include "host/commandchannel.h"

#include "shell/catalogue.h"

#include <algorithm>

namespace tarno {

int nameElementFor(std::string_view slotId) {
    if (!nameSuppliedByMovie(slotId))
        return -1;
    // The name follows the numbers of the slot's kind.
    return slotKind(*slotBySlotId(slotId)) == SlotKind::ByScoreMovesTime ? 4 : 3;
}

std::string nameForAnswer(std::string_view answer) {
    return trimmedName(answer).empty() ? channeltext::kNoName : std::string(answer);
}

CommandChannel::CommandChannel(Parts parts, SolveOptions options)
    : m_parts(parts), m_options(options) {}

void CommandChannel::FSCommand(std::string_view command, std::string_view args) {
    if (m_closed)
        return;
    if (command == channeltext::kWriteScore)
        writeScore(args);
    else if (command == channeltext::kSolvePuzzle)
        solvePuzzle(args);
    else if (command == channeltext::kStopSolving)
        stopSolving();
}

void CommandChannel::close() {
    m_closed = true;
    stopSolving();
}

void CommandChannel::writeScore(std::string_view args) {
    const std::vector<std::string> list = splitItems(args);
    std::string name;
    const int element = nameElementFor(list.front());
    if (element >= 0) {
        // A list too short to hold the name records an empty name, as an empty name
        // element does: these movies ask for the name themselves, so no prompt opens.
        if (static_cast<std::size_t>(element) < list.size())
            name = list[static_cast<std::size_t>(element)];
    } else {
        name = nameForAnswer(m_parts.prompt.askName(lastRecordedName(m_parts.file)));
    }
    if (m_closed)
        return; // the game window closed while the prompt was open
    RecordScore(m_parts.file, m_parts.hiScores, name, list);
}

void CommandChannel::solvePuzzle(std::string_view args) {
    const std::vector<std::string> list = splitItems(args);
    m_stopRequested = false;
    for (std::atomic<bool>* running : m_running)
        running->store(true); // the newest request wins
    std::atomic<bool> stop{false};
    m_running.push_back(&stop);
    const SolveResult result = SolveRequest(list, m_parts.pump, stop, m_options);
    m_running.erase(std::find(m_running.begin(), m_running.end(), &stop));
    if (!stop.load() && !m_closed)
        m_parts.movie.SetVariable(channeltext::kAnswerVariable, result.answer);
}

void CommandChannel::stopSolving() {
    m_stopRequested = true;
    for (std::atomic<bool>* running : m_running)
        running->store(true);
}

} // namespace tarno
