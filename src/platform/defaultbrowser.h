// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the default web browser's command line and opening the maker's pages with it.
#pragma once

#include "platform/registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// What opening an address needs from the desktop around it.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Whether `path` names a program that can be started: an executable file, or a bare
    // name found on the program search path.
    virtual bool isProgram(const std::string& path) const = 0;
    // Starts `program` as a new, independent program, each argument passed exactly as it
    // is, without a shell and without waiting. False when nothing was started.
    virtual bool startProgram(const std::string& program,
                              const std::vector<std::string>& arguments) = 0;
    // A modal message with the exclamation icon and a single OK button. Lines in `text`
    // are separated by CR LF.
    virtual void showWarning(const std::string& title, const std::string& text) = 0;
    // The same with `detail` (the system's reason) for whoever wants to know more.
    virtual void showWarning(const std::string& title, const std::string& text,
                             const std::string& detail) {
        (void)detail;
        showWarning(title, text);
    }
};

// The browser's command line without its argument placeholder, or empty when no
// browser is registered. A command that opens a quote and never closes it, and a class
// or command value that is a number, count as no browser.
std::string DefaultBrowserCommand(const Registry& registry);

struct ProgramLine {
    std::string program;
    std::vector<std::string> arguments;
    friend bool operator==(const ProgramLine&, const ProgramLine&) = default;
};

// The program and arguments that "browser, one space, address" stands for. The
// program is the longest part of `browser`, cut at a space, that the desktop knows as
// a program, so a path with spaces stays whole; the rest are options, split at
// spaces. The address is always the last argument, whole, whatever it contains.
ProgramLine browserStartLine(std::string_view browser, std::string_view address,
                             const Desktop& desktop);

// Whether `host` lies under the reserved .example domain, where no site can ever answer
// (any letter case, a final dot allowed).
bool isReservedHost(std::string_view host);

// The file: address of an absolute local path, UTF-8 bytes outside the letters, digits,
// "-._~/" percent-encoded.
std::string fileAddress(std::string_view absolutePath);

// The address the help item opens: while the maker's `host` is reserved, the help page
// installed in the program's folder `programDir` (maker::kLocalHelpPage) as a file:
// address; with a real host, `onlineAddress`.
std::string helpPageAddress(std::string_view host, std::string_view onlineAddress,
                            std::string_view programDir);

constexpr std::string_view kErrorTitle = "Error";
// The three lines of the "Error" message, separated by CR LF, the help address that was
// tried on the third.
std::string helpErrorText(std::string_view helpAddress);

// Opening an address the way the desktop does: the desktop chooses the handler and
// starts it.
class AddressLauncher {
public:
    enum class Status { Started, NoHandler, Failed };
    struct Outcome {
        Status status = Status::NoHandler;
        std::string reason; // why starting failed, in the system's words
    };
    virtual ~AddressLauncher() = default;
    virtual Outcome launch(const std::string& address) = 0;
};

// The types a handler of `address` must declare itself, best first: "text/html" for a
// file: address; "x-scheme-handler/http" and "x-scheme-handler/https" for a web
// address, its own scheme first. Nothing for any other address.
std::vector<std::string> handlerTypesFor(std::string_view address);

// Whether a desktop entry may open addresses of `type`: it names the type among its
// own (a handler of a parent type such as text/plain is no browser), letter case
// aside, and it does not need a terminal, which a program started from a menu lacks.
bool isSuitableHandler(const std::vector<std::string>& declaredTypes, bool needsTerminal,
                       std::string_view type);

// Starts the desktop's handler of `address`. No handler: the "Error" message with
// `helpAddress` when `reportMissing`, else nothing. A handler that fails to start: the
// "Error" message, with the reason as its details.
void openWithHandler(AddressLauncher& launcher, Desktop& desktop, std::string_view address,
                     std::string_view helpAddress, bool reportMissing);

// What the web-site button opens: while the maker's `host` is reserved, the help page
// `helpAddress` (no site can answer there); with a real host, `webAddress`.
std::string webSiteButtonAddress(std::string_view host, std::string_view webAddress,
                                 std::string_view helpAddress);

// The about window's web-site line: the page the button opens, a local page as its path.
std::string webSiteLine(std::string_view buttonAddress);

// The web-site button: without a browser nothing happens; when the browser cannot be
// started, the "Error" message names `helpAddress`.
void OpenWebSite(const Registry& registry, Desktop& desktop, std::string_view helpAddress);
// The help item opens `helpAddress` (see helpPageAddress); without a browser it shows the
// "Error" message with that address.
void OpenHelpPage(const Registry& registry, Desktop& desktop, std::string_view helpAddress);

} // namespace tarno
