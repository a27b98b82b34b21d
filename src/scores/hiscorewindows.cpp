// SPDX-License-Identifier: GPL-3.0-or-later
// The windows around the score file: Form3 and the message boxes of its failures.
#include "scores/hiscorewindows.h"

#include "platform/screenmetrics.h"
#include "scores/form3.h"

#include <QMessageBox>

#include <set>

namespace tarno {

void ShowHiScores(QWidget* parent, int slot, std::int64_t markedRecord, const ScoreFile& file) {
    WindowHiScoreView view(parent, file);
    if (!slotKind(slot)) {
        view.showMessage(HiScoreView::Severity::Information, "This game keeps no hi-score list.");
        return;
    }
    auto list = buildHiScoreList(file, slot, markedRecord);
    if (!list) {
        view.showMessage(HiScoreView::Severity::Critical,
                         "The hi-score list cannot be shown. " + list.error().text());
        return;
    }
    // Said once in a run, not at every opening: the file stays as it is until repaired.
    static std::set<std::string> told;
    for (const std::string& note : list.value().notes)
        if (told.insert(note).second)
            view.showMessage(HiScoreView::Severity::Information, note);
    Form3 form3(list.value(), screenMetricsFor(parent).twipsPerPixel, parent);
    form3.exec();
}

void WindowHiScoreView::showList(int slot, std::int64_t markedRecord) {
    ShowHiScores(m_parent, slot, markedRecord, m_file);
}

void WindowHiScoreView::showMessage(Severity severity, const std::string& text) {
    const QMessageBox::Icon icon = severity == Severity::Information ? QMessageBox::Information
                                   : severity == Severity::Warning   ? QMessageBox::Warning
                                                                     : QMessageBox::Critical;
    QMessageBox box(icon, QString::fromLatin1(recordtext::kTitle), QString::fromStdString(text),
                    QMessageBox::Ok, m_parent);
    // The text may quote a movie's arguments: it is shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

RecordOutcome RecordScore(QWidget* parent, std::string_view name,
                          const std::vector<std::string>& args) {
    ScoreFile file;
    WindowHiScoreView view(parent, file);
    return RecordScore(file, view, name, args);
}

} // namespace tarno
