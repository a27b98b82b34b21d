// SPDX-License-Identifier: GPL-3.0-or-later
// The hi-score window: one slot's best 15 results and the result row of a new result.
#pragma once

#include "scores/hiscorelist.h"
#include "platform/geometry.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace tarno {

class Form3 : public QDialog {
    Q_OBJECT
public:
    // Built afresh for every showing from the layout and `list`, whose slot has a kind.
    // `tpp` converts the layout's twips to this screen's pixels.
    Form3(const HiScoreList& list, TwipsPerPixel tpp, QWidget* parent = nullptr);

    // Label1..Label5 (`array` 1..5) at `index`, or null where the array has no such label.
    QLabel* label(int array, int index) const;
    QGroupBox* frame() const { return Frame1; }
    QPushButton* okButton() const { return Command1; }

    // Fills row `row` from a record: 1..15 are the list rows, 17 the result row.
    void ubaciitem(const ScoreRecord& record, int row);

protected:
    // Centred on the screen, frame included, before the window appears.
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void arrangeColumns(SlotKind kind);
    void showList(const HiScoreList& list);
    int px(double twips) const;
    int py(double twips) const;

    SlotKind m_kind;
    TwipsPerPixel m_tpp;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;
    // Label1..Label4 have indexes 0..16, Label5 0..15.
    std::array<std::array<QLabel*, 17>, 5> m_labels{};
};

} // namespace tarno
