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
    // The puzzle model.
    CellRecord cells[41];
    CellLinkTable links{};
    int matchSum = 0;
    int count = 0;
    std::vector<std::string> pieceList; // 1-based
    std::vector<std::string> fixedPiece, fixedCell, fixedRotation;
    std::vector<int> freeCells;       // 1-based
    std::vector<std::string> toPlace; // 1-based
    int n = 0;
    // The search state.
    bool solved = false;
    int level = 1;
    int candidate[41] = {};
    std::string fitting[41];
    int fitPos[41] = {};
    int laidRotation[41] = {};
    std::string usedMask, initialMask;
    bool started = false;
    const std::atomic<bool>* stop = nullptr;
    std::uint64_t nodes = 0;
    std::uint64_t nodeLimit = 0;

    bool stopRequested() const {
        return (stop && stop->load()) || (nodeLimit != 0 && nodes >= nodeLimit);
    }

    void ClearCell(int c) { cells[c] = CellRecord{}; }
    void ClearAllCells() {
        for (int c = 1; c <= 40; ++c)
            ClearCell(c);
    }
    void PlacePiece(const std::string& piece, int rotation, int c) {
        const int len = static_cast<int>(piece.size());
        cells[c].piece = piece;
        cells[c].occupied = true;
        cells[c].rotation = rotation;
        for (int k = 0; k < len; ++k) {
            int j = k - rotation;
            if (j < 0)
                j += len;
            cells[c].edges[k] = piece[static_cast<size_t>(j)] - '0';
        }
    }
    bool FitsAt(int c) const {
        const CellLinks& cl = links[static_cast<size_t>(c)];
        if (cl.count == 0)
            return true;
        for (int i = 0; i < cl.count; ++i) {
            const CellLink& link = cl.links[static_cast<size_t>(i)];
            if (!cells[link.neighbour].occupied)
                continue;
            const int x = cells[link.cell].edges[link.cellEdge - 1];
            const int y = cells[link.neighbour].edges[link.neighbourEdge - 1];
            if (matchSum != 0 && x + y != matchSum)
                return false;
            if (matchSum == 0 && x != y)
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
        if ((piece == "0000" || piece == "1111" || piece == "2222" || piece == "3333") &&
            !list.empty())
            list = "0";
        if ((piece == "1010" || piece == "2020" || piece == "3030" || piece == "2121" ||
             piece == "3131" || piece == "3232") &&
            !list.empty()) {
            if (list == "0123")
                list = "01";
            else if (list == "02")
                list = "0";
            else if (list == "13")
                list = "1";
        }
        return list;
    }
    void ResetFromLevel() {
        const int l = level;
        for (int k = l; k <= n; ++k)
            ClearCell(freeCells[static_cast<size_t>(k)]);
        for (int k = l + 1; k <= n; ++k) {
            candidate[k] = 0;
            fitPos[k] = 0;
            fitting[k].clear();
        }
        usedMask = usedMask.substr(0, static_cast<size_t>(l)) +
                   initialMask.substr(initialMask.size() - static_cast<size_t>(n - l));
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
                if (named == Step::None && !nextPass) {
                    const char c = static_cast<char>(64 + candidate[level]);
                    if (usedMask.find(c) == std::string::npos) {
                        fitting[level] =
                            FittingRotations(toPlace[static_cast<size_t>(candidate[level])],
                                             freeCells[static_cast<size_t>(level)]);
                        if (!fitting[level].empty()) {
                            usedMask[static_cast<size_t>(level - 1)] = c;
                            named = Step::Place;
                        }
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
        laidRotation[level] = fitting[level][static_cast<size_t>(fitPos[level] - 1)] - '0';
        PlacePiece(toPlace[static_cast<size_t>(candidate[level])], laidRotation[level],
                   freeCells[static_cast<size_t>(level)]);
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

    // Preparation, steps 1 to 7.
    const PuzzleHeader header = *ParsePuzzleHeader(items[0]);
    m->matchSum = header.matchSum;
    m->count = header.count;
    m->pieceList.assign(1, std::string());
    for (int i = 1; i <= m->count; ++i)
        m->pieceList.push_back(items[static_cast<size_t>(i)]);
    const int k = (static_cast<int>(items.size()) - 1 - m->count) / 3;
    m->fixedPiece.assign(1, {});
    m->fixedCell.assign(1, {});
    m->fixedRotation.assign(1, {});
    for (int i = 1; i <= k; ++i) {
        m->fixedPiece.push_back(items[static_cast<size_t>(m->count + i)]);
        m->fixedCell.push_back(items[static_cast<size_t>(m->count + k + i)]);
        m->fixedRotation.push_back(items[static_cast<size_t>(m->count + 2 * k + i)]);
    }
    m->ClearAllCells();
    m->freeCells.assign(1, 0);
    m->toPlace.assign(1, std::string());
    if (k == 0) {
        for (int c = 1; c <= m->count; ++c) {
            m->freeCells.push_back(c);
            m->toPlace.push_back(m->pieceList[static_cast<size_t>(c)]);
        }
    } else {
        for (int i = 1; i <= k; ++i) {
            m->PlacePiece(m->fixedPiece[static_cast<size_t>(i)],
                          std::stoi(m->fixedRotation[static_cast<size_t>(i)]),
                          std::stoi(m->fixedCell[static_cast<size_t>(i)]));
            events();
        }
        for (int c = 1; c <= m->count; ++c) {
            bool isFixed = false;
            for (int i = 1; i <= k; ++i)
                isFixed = isFixed || std::stoi(m->fixedCell[static_cast<size_t>(i)]) == c;
            if (!isFixed)
                m->freeCells.push_back(c);
        }
        for (int i = 1; i <= k; ++i) {
            for (int j = 1; j <= m->count; ++j) {
                if (m->pieceList[static_cast<size_t>(j)] == m->fixedPiece[static_cast<size_t>(i)]) {
                    m->pieceList[static_cast<size_t>(j)].clear();
                    break;
                }
            }
        }
        for (int j = 1; j <= m->count; ++j)
            if (!m->pieceList[static_cast<size_t>(j)].empty())
                m->toPlace.push_back(m->pieceList[static_cast<size_t>(j)]);
    }
    m->n = static_cast<int>(m->toPlace.size()) - 1;
    m->links = *BuildCellLinks(LayoutFor(header.kind, header.size));
    if (stop && stop->load()) {
        result.outcome = SolveOutcome::Stopped;
        return result;
    }

    // A board with every cell fixed is complete as sent when its pieces agree.
    if (m->n == 0) {
        bool fits = true;
        for (int c = 1; c <= m->count; ++c)
            fits = fits && m->FitsAt(c);
        m->solved = fits;
    } else {
        // Search, steps 6 to 10.
        m->level = 1;
        for (int l = 1; l <= m->n; ++l) {
            m->candidate[l] = 1;
            m->fitPos[l] = 0;
            m->laidRotation[l] = 0;
            m->fitting[l].clear();
        }
        m->started = false;
        m->solved = false;
        m->usedMask = m->initialMask = std::string(static_cast<size_t>(m->n), '*');
        Step next = Step::Restart;
        for (;;) {
            if (next == Step::Done)
                break;
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
    if (m->stopRequested()) {
        result.outcome = SolveOutcome::Stopped;
        return result;
    }
    if (!m->solved) {
        result.outcome = SolveOutcome::NoSolution;
        return result;
    }
    result.outcome = SolveOutcome::Solved;
    for (int c = 1; c <= m->count; ++c)
        result.answer += m->cells[c].piece;
    for (int c = 1; c <= m->count; ++c)
        result.answer += std::to_string(m->cells[c].rotation);
    return result;
}

} // namespace tarno::model
