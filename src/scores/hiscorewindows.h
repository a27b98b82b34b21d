// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the hi-score window and recording a result with real windows and message boxes.
#pragma once

#include "scores/recorder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace tarno {

// Opens Form3 modally over `parent` for `slot`, with `markedRecord` (0 for none) in the
// result row; returns when it is closed. A file that cannot be read is reported in a
// message box naming the file and the reason, instead of showing a wrong list.
void ShowHiScores(QWidget* parent, int slot, std::int64_t markedRecord,
                  const ScoreFile& file = ScoreFile());

// The windows that recording talks to: Form3 and message boxes over `parent`.
class WindowHiScoreView : public HiScoreView {
public:
    WindowHiScoreView(QWidget* parent, const ScoreFile& file) : m_parent(parent), m_file(file) {}
    void showList(int slot, std::int64_t markedRecord) override;
    void showMessage(Severity severity, const std::string& text) override;

private:
    QWidget* m_parent;
    const ScoreFile& m_file;
};

// Records a "writescore" result in scores.lst and shows it, with windows over `parent`.
RecordOutcome RecordScore(QWidget* parent, std::string_view name,
                          const std::vector<std::string>& args);

} // namespace tarno
