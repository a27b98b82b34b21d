// SPDX-License-Identifier: GPL-3.0-or-later
// The step machine written out literally: restart, choose, place, descend, done.
#include "model/literalsolver.h"

#include "solver/layouts.h"
#include "solver/request.h"

#include <memory>
#include <string>
#include <vector>

namespace tarno::model {

namespace {

enum class Step { Restart, Choose, Place, Descend, Done, None };

struct CellRecord {
    std::string piece;
    bool occupied = false;
    int rotation = 0;
    int edges[6] = {-1, -1, -1, -1, -1, -1};
};

struct Machine {
    // The puzzle model; lists count from 1.
    CellRecord cells[41];
    CellLinkTable links{};
    int matchSum = 0;
    int count = 0;
    std::vector<int> freeCells{0};
    std::vector<std::string> toPlace{""};
    int n = 0;
    // The search state.
    bool solved = false;
    int level = 1;
    int candidate[41] = {};
    std::string fitting[41];
    int fitPos[41] = {};
    std::string usedMask, initialMask;
    bool started = false;
    const std::atomic<bool>* stop = nullptr;
    std::uint64_t nodes = 0;
    std::uint64_t nodeLimit = 0;

    bool stopRequested() const {
        return (stop && stop->load()) || (nodeLimit != 0 && nodes >= nodeLimit);
    }

    void ClearCell(int c) { cells[c] = CellRecord{}; }
    void PlacePiece(const std::string& piece, int rotation, int c) {
        const int len = static_cast<int>(piece.size());
        cells[c].piece = piece;
        cells[c].occupied = true;
        cells[c].rotation = rotation;
        for (int k = 0; k < len; ++k)
            cells[c].edges[k] = piece[(k - rotation + len) % len] - '0';
    }
    bool FitsAt(int c) const {
        const CellLinks& cl = links[c];
        for (int i = 0; i < cl.count; ++i) {
            const CellLink& link = cl.links[i];
            if (!cells[link.neighbour].occupied)
                continue;
            const int x = cells[link.cell].edges[link.cellEdge - 1];
            const int y = cells[link.neighbour].edges[link.neighbourEdge - 1];
            if (matchSum != 0 ? x + y != matchSum : x != y)
                return false;
        }
        return true;
    }
    bool TryRotation(const std::string& piece, int c, int rotation) {
        PlacePiece(piece, rotation, c);
        const bool fits = FitsAt(c);
        ClearCell(c);
        return fits;
    }
    std::string FittingRotations(const std::string& piece, int c) {
        std::string list;
        for (int r = 0; r < static_cast<int>(piece.size()); ++r)
            if (TryRotation(piece, c, r))
                list += static_cast<char>('0' + r);
        if (list.empty())
            return list;
        if (piece == "0000" || piece == "1111" || piece == "2222" || piece == "3333")
            return "0";
        if (piece == "1010" || piece == "2020" || piece == "3030" || piece == "2121" ||
            piece == "3131" || piece == "3232")
            return list == "0123" ? "01" : list == "02" ? "0" : list == "13" ? "1" : list;
        return list;
    }
    void ResetFromLevel() {
        const int l = level;
        for (int k = l; k <= n; ++k)
            ClearCell(freeCells[k]);
        for (int k = l + 1; k <= n; ++k) {
            candidate[k] = 0;
            fitPos[k] = 0;
            fitting[k].clear();
        }
        usedMask = usedMask.substr(0, l) + initialMask.substr(initialMask.size() - (n - l));
    }
    Step StepRestart() {
        ResetFromLevel();
        return Step::Choose;
    }
    Step StepChoose() {
        for (;;) {
            Step named = Step::None;
            bool nextPass = false;
            if (!(!started && level == 1 && candidate[1] == 1)) {
                if (fitPos[level] >= 1 && fitPos[level] < static_cast<int>(fitting[level].size()))
                    named = Step::Place;
                else
                    ++candidate[level];
            }
            if (named == Step::None) {
                started = true;
                fitPos[level] = 0;
                if (candidate[level] > n) {
                    if (level == 1) {
                        named = Step::Done;
                    } else {
                        --level;
                        ResetFromLevel();
                        nextPass = true;
                    }
                }
                const char c = static_cast<char>(64 + candidate[level]);
                if (named == Step::None && !nextPass && usedMask.find(c) == std::string::npos) {
                    fitting[level] = FittingRotations(toPlace[candidate[level]], freeCells[level]);
                    if (!fitting[level].empty()) {
                        usedMask[level - 1] = c;
                        named = Step::Place;
                    }
                }
            }
            if (stopRequested())
                return Step::None;
            if (named != Step::None)
                return named;
        }
    }
    Step StepPlace() {
        ++fitPos[level];
        if (fitPos[level] > static_cast<int>(fitting[level].size())) {
            fitPos[level] = 0;
            return Step::Choose;
        }
        PlacePiece(toPlace[candidate[level]], fitting[level][fitPos[level] - 1] - '0',
                   freeCells[level]);
        ++nodes;
        if (level == n) {
            solved = true;
            return Step::Done;
        }
        return Step::Descend;
    }
    Step StepDescend() {
        ++level;
        if (level > n)
            return Step::Done;
        ResetFromLevel();
        return Step::Choose;
    }
};

} // namespace

LiteralResult solveLiterally(std::span<const std::string> items, EventPump* pump,
                             const std::atomic<bool>* stop, std::uint64_t nodeLimit) {
    LiteralResult result;
    if (!parseRequest(items).request)
        return result;
    auto m = std::make_unique<Machine>();
    m->stop = stop;
    m->nodeLimit = nodeLimit;
    const auto events = [&] {
        if (pump)
            pump->processPendingEvents();
    };

    // Preparation: fixed pieces laid, each taking the first equal string of the list.
    const PuzzleHeader header = *ParsePuzzleHeader(items[0]);
    m->matchSum = header.matchSum;
    m->count = header.count;
    const int count = m->count;
    std::vector<std::string> pieceList(items.begin(), items.begin() + count + 1);
    const int k = (static_cast<int>(items.size()) - 1 - count) / 3;
    std::vector<bool> isFixed(count + 1, false);
    for (int i = 1; i <= k; ++i) {
        const std::string& piece = items[count + i];
        const int cell = std::stoi(items[count + k + i]);
        m->PlacePiece(piece, std::stoi(items[count + 2 * k + i]), cell);
        isFixed[cell] = true;
        events();
    }
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= count; ++j)
            if (pieceList[j] == items[count + i]) {
                pieceList[j].clear();
                break;
            }
    for (int c = 1; c <= count; ++c) {
        if (!isFixed[c])
            m->freeCells.push_back(c);
        if (!pieceList[c].empty())
            m->toPlace.push_back(pieceList[c]);
    }
    m->n = static_cast<int>(m->toPlace.size()) - 1;
    m->links = *BuildCellLinks(LayoutFor(header.kind, header.size));
    if (stop && stop->load()) {
        result.outcome = SolveOutcome::Stopped;
        return result;
    }

    if (m->n == 0) {
        // Every cell fixed: complete as sent when the pieces agree.
        m->solved = true;
        for (int c = 1; c <= count; ++c)
            m->solved = m->solved && m->FitsAt(c);
    } else {
        // The search.
        for (int l = 1; l <= m->n; ++l)
            m->candidate[l] = 1;
        m->usedMask = m->initialMask = std::string(static_cast<size_t>(m->n), '*');
        Step next = Step::Restart;
        while (next != Step::Done) {
            switch (next) {
            case Step::Restart:
                next = m->StepRestart();
                break;
            case Step::Choose:
                next = m->StepChoose();
                break;
            case Step::Place:
                next = m->StepPlace();
                break;
            case Step::Descend:
                next = m->StepDescend();
                break;
            default:
                break;
            }
            ++result.steps;
            if (m->stopRequested())
                break;
            events();
        }
    }
    result.nodes = m->nodes;
    result.outcome = m->stopRequested() ? SolveOutcome::Stopped
                     : m->solved        ? SolveOutcome::Solved
                                        : SolveOutcome::NoSolution;
    if (result.outcome != SolveOutcome::Solved)
        return result;
    for (int c = 1; c <= count; ++c)
        result.answer += m->cells[c].piece;
    for (int c = 1; c <= count; ++c)
        result.answer += std::to_string(m->cells[c].rotation);
    return result;
}

} // namespace tarno::model
