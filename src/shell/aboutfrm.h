// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: the product's name, version and the maker's lines.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace tarno {

class PictureArea;

class aboutfrm : public QDialog {
    Q_OBJECT
public:
    explicit aboutfrm(QWidget* parent = nullptr);

    QLabel* label(int index) const { return Label1.at(index); }
    QPushButton* okButton() const { return Command1; }
    PictureArea* icon() const { return Picture1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    PictureArea* Picture1 = nullptr;
    std::array<QLabel*, 11> Label1{};
    QPushButton* Command1 = nullptr;
};

// Shows a fresh about window modally and returns when it is closed, with the dialog's
// result (OK and Enter accept; Esc and the close box reject). Nothing of it survives.
// `parent` only keeps it off the task bar and above the main window.
int showAbout(QWidget* parent);

} // namespace tarno
