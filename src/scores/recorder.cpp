// SPDX-License-Identifier: GPL-3.0-or-later
// RecordScore: validates the list, appends one record, hands over to the window.
#include "scores/recorder.h"

#include "shell/catalogue.h"

#include <array>
#include <limits>

namespace tarno {
namespace {

enum class Field { TimeMs, Score, Moves };

// Which element fills which field: elements 1, 2, 3 in order.
std::vector<Field> fieldsOf(SlotKind kind) {
    switch (kind) {
    case SlotKind::ByTime:
        return {Field::TimeMs};
    case SlotKind::ByScoreThenTime:
        return {Field::TimeMs, Field::Score};
    case SlotKind::ByScore:
        return {Field::Score};
    case SlotKind::ByMovesThenTime:
        return {Field::Moves, Field::TimeMs};
    case SlotKind::ByScoreMovesTime:
        return {Field::Score, Field::Moves, Field::TimeMs};
    }
    return {};
}

const char* fieldName(Field f) {
    switch (f) {
    case Field::TimeMs:
        return "time";
    case Field::Score:
        return "score";
    case Field::Moves:
        return "moves";
    }
    return "";
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A bad number as a message quotes it: at most its first 40 characters (whole UTF-8
// characters), then "...".
std::string shownNumber(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < kShown; ++chars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
            ++end;
    }
    std::string shown(1, '"');
    shown += text.substr(0, end);
    shown += end < text.size() ? "...\"" : "\"";
    return shown;
}

} // namespace

std::optional<std::int32_t> parseScoreNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    for (char c : whole)
        if (!isDigit(c))
            return std::nullopt;
    for (char c : fraction)
        if (!isDigit(c))
            return std::nullopt;

    // The magnitude, capped just above the range so long digit strings cannot overflow.
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    std::int64_t v = 0;
    for (char c : whole)
        v = std::min(kCap, v * 10 + (c - '0'));
    if (!fraction.empty()) {
        const bool restZero = fraction.find_first_not_of('0', 1) == std::string_view::npos;
        const char lead = fraction.front();
        if (lead > '5' || (lead == '5' && (!restZero || v % 2 == 1)))
            ++v;
    }
    const std::int64_t signedValue = negative ? -v : v;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

std::variant<ScoreRecord, std::string> recordFromArgs(std::string_view name,
                                                      const std::vector<std::string>& args) {
    ScoreRecord r;
    r.name = fitName(name);
    const std::string_view slotId = args.empty() ? std::string_view{} : args[0];
    r.slot = slotBySlotId(slotId).value_or(0);
    const std::optional<SlotKind> kind = slotKind(r.slot);
    if (!kind)
        return r;
    const std::vector<Field> fields = fieldsOf(*kind);
    // Reasons are appended piece by piece: a chain of + from a literal makes GCC 12 at
    // -O2 warn of overlapping copies (-Wrestrict) that cannot happen.
    std::string reason;
    if (args.size() < fields.size() + 1) {
        reason += '"';
        reason += slotId;
        reason += "\" needs ";
        reason += std::to_string(fields.size());
        reason += fields.size() == 1 ? " number" : " numbers";
        reason += " but got ";
        reason += std::to_string(args.size() - 1);
        return reason;
    }
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::optional<std::int32_t> v = parseScoreNumber(args[k + 1]);
        if (!v) {
            reason += "the ";
            reason += fieldName(fields[k]);
            reason += ' ';
            reason += shownNumber(args[k + 1]);
            reason += " is not a whole number between -2147483648 and 2147483647";
            return reason;
        }
        switch (fields[k]) {
        case Field::TimeMs:
            r.timeMs = *v;
            break;
        case Field::Score:
            r.score = *v;
            break;
        case Field::Moves:
            r.moves = *v;
            break;
        }
    }
    return r;
}

namespace recordtext {
std::string rejected(const std::string& reason) {
    return "The game sent a result that cannot be recorded (" + reason + "). Nothing was saved.";
}
std::string notSaved(const ScoreError& error) {
    return "Your result was not saved. " + error.text();
}
} // namespace recordtext

RecordOutcome RecordScore(ScoreFile& file, HiScoreView& view, std::string_view name,
                          const std::vector<std::string>& args) {
    RecordOutcome out;
    auto built = recordFromArgs(name, args);
    if (auto* reason = std::get_if<std::string>(&built)) {
        out.status = RecordOutcome::Status::Rejected;
        out.message = recordtext::rejected(*reason);
        view.showMessage(HiScoreView::Severity::Warning, out.message);
        return out;
    }
    const ScoreRecord& record = std::get<ScoreRecord>(built);
    // The count is taken inside the append, under the same lock as the write, so the
    // number is the new record's even when another instance records at the same time.
    auto appended = file.AppendRecord(record);
    if (!appended) {
        out.status = RecordOutcome::Status::NotSaved;
        out.message = recordtext::notSaved(appended.error());
        view.showMessage(HiScoreView::Severity::Critical, out.message);
        return out;
    }
    out.recordNumber = appended.value();
    if (!slotKind(record.slot)) {
        out.status = RecordOutcome::Status::SavedWithoutList;
        out.message = recordtext::kSavedWithoutList;
        view.showMessage(HiScoreView::Severity::Information, out.message);
        return out;
    }
    out.status = RecordOutcome::Status::Shown;
    view.showList(record.slot, out.recordNumber);
    return out;
}

} // namespace tarno
