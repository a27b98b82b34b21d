// SPDX-License-Identifier: GPL-3.0-or-later
// Recording a finished game's result: from the "writescore" list to a record in the file.
#pragma once

#include "scores/scorefile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarno {

// What recording needs from the windows around it; the program shows real windows,
// tests and the command-line tool pass their own.
class HiScoreView {
public:
    enum class Severity { Information, Warning, Critical };
    virtual ~HiScoreView() = default;
    // Shows the slot's list with `markedRecord` in the result row; returns when closed.
    virtual void showList(int slot, std::int64_t markedRecord) = 0;
    virtual void showMessage(Severity severity, const std::string& text) = 0;
};

// Decimal text to a signed 32-bit number: spaces around it allowed, a fraction rounded
// to the nearest whole number, halves to the even one. None for anything else,
// including a number outside the 32-bit range.
std::optional<std::int32_t> parseScoreNumber(std::string_view text);

// The record a "writescore" list stands for, or the reason it cannot be recorded.
std::variant<ScoreRecord, std::string> recordFromArgs(std::string_view name,
                                                      const std::vector<std::string>& args);

struct RecordOutcome {
    enum class Status { Shown, SavedWithoutList, Rejected, NotSaved };
    Status status = Status::Rejected;
    std::int64_t recordNumber = 0; // the new record, when saved
    std::string message;           // what the player was told, if anything
};

// Appends the result and shows its slot's list with it marked. A list that cannot be
// recorded, and a file that cannot be written, are told through `view` and leave the
// file as it was.
RecordOutcome RecordScore(ScoreFile& file, HiScoreView& view, std::string_view name,
                          const std::vector<std::string>& args);

// The texts the player reads.
namespace recordtext {
constexpr const char* kTitle = "Hi Scores";
std::string rejected(const std::string& reason);
std::string notSaved(const ScoreError& error);
constexpr const char* kSavedWithoutList =
    "Your result was saved, but this game keeps no hi-score list.";
} // namespace recordtext

} // namespace tarno
