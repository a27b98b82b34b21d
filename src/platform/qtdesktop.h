// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop that opening an address uses: program start and message boxes through Qt.
#pragma once

#include "platform/defaultbrowser.h"

#include <string>

class QWidget;

namespace tarno {

class QtDesktop : public Desktop {
public:
    // Messages are modal over `parent`.
    explicit QtDesktop(QWidget* parent = nullptr) : m_parent(parent) {}

    bool isProgram(const std::string& path) const override;
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    void showWarning(const std::string& title, const std::string& text) override;
    void showWarning(const std::string& title, const std::string& text,
                     const std::string& detail) override;

private:
    QWidget* m_parent;
};

// The address the help item opens, for this program's installed files.
std::string helpPageAddress();
// The address the web-site button opens.
std::string webSiteButtonAddress();

// The two openers over the desktop's own handlers (GioLauncher).
void openWebSiteWithDesktop(QWidget* parent);
void openHelpPageWithDesktop(QWidget* parent);

} // namespace tarno
