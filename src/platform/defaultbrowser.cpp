// SPDX-License-Identifier: GPL-3.0-or-later
// The browser is looked up afresh for every command: nothing is cached, nothing retried.
#include "platform/defaultbrowser.h"

#include "platform/maker.h"

#include <algorithm>

namespace tarno {
namespace {

constexpr std::string_view kPlaceholder = "%1";

std::string trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::vector<std::string> splitAtBlanks(std::string_view s) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < s.size()) {
        const auto begin = s.find_first_not_of(" \t", at);
        if (begin == std::string_view::npos)
            break;
        const auto end = std::min(s.find_first_of(" \t", begin), s.size());
        words.emplace_back(s.substr(begin, end - begin));
        at = end;
    }
    return words;
}

// Starting failed, or there was nothing to start: the user still learns where help is.
void showHelpError(Desktop& desktop, std::string_view helpAddress) {
    desktop.showWarning(std::string(kErrorTitle), helpErrorText(helpAddress));
}

// `helpAddress` is what the message names when the browser is missing or fails: the
// web-site button stays silent without a browser, but a failed start is never silent.
bool openAddress(const Registry& registry, Desktop& desktop, std::string_view address,
                 std::string_view helpAddress, bool reportMissingBrowser) {
    const std::string browser = DefaultBrowserCommand(registry);
    if (browser.empty()) {
        if (reportMissingBrowser)
            showHelpError(desktop, helpAddress);
        return false;
    }
    const ProgramLine line = browserStartLine(browser, address, desktop);
    if (desktop.startProgram(line.program, line.arguments))
        return true;
    showHelpError(desktop, helpAddress);
    return false;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string DefaultBrowserCommand(const Registry& registry) {
    const RegistryValue classValue =
        registry.ReadRegistryValue(RegistryRoot::ClassesRoot, ".html", "");
    const std::string* className = std::get_if<std::string>(&classValue);
    if (!className || className->empty())
        return {};
    const RegistryValue commandValue = registry.ReadRegistryValue(
        RegistryRoot::ClassesRoot, *className + "\\shell\\open\\command", "");
    const std::string* found = std::get_if<std::string>(&commandValue);
    if (!found)
        return {};
    const std::string_view command = *found;

    if (command.starts_with('"')) {
        const auto close = command.find('"', 1);
        if (close == std::string_view::npos)
            return {};
        return std::string(command.substr(1, close - 1));
    }
    if (const auto quote = command.find('"'); quote != std::string_view::npos)
        return trimSpaces(command.substr(0, quote));
    if (command.ends_with(kPlaceholder))
        return trimSpaces(command.substr(0, command.size() - kPlaceholder.size()));
    return std::string(command);
}

ProgramLine browserStartLine(std::string_view browser, std::string_view address,
                             const Desktop& desktop) {
    ProgramLine line;
    // Longest first: a shorter prefix of a path with spaces may name some other file.
    for (std::size_t end = browser.size(); end != std::string_view::npos && end > 0;
         end = browser.rfind(' ', end - 1)) {
        const std::string_view candidate = browser.substr(0, end);
        if (candidate.find_first_not_of(" \t") == std::string_view::npos)
            break;
        if (desktop.isProgram(std::string(candidate))) {
            line.program = std::string(candidate);
            line.arguments = splitAtBlanks(browser.substr(end));
            break;
        }
    }
    if (line.program.empty()) {
        // Nothing known: the first word is the program, and starting it will tell.
        std::vector<std::string> words = splitAtBlanks(browser);
        if (!words.empty()) {
            line.program = std::move(words.front());
            line.arguments.assign(std::make_move_iterator(words.begin() + 1),
                                  std::make_move_iterator(words.end()));
        }
    }
    line.arguments.emplace_back(address);
    return line;
}

bool isReservedHost(std::string_view host) {
    if (host.ends_with('.'))
        host.remove_suffix(1);
    constexpr std::string_view kReserved = "example";
    if (host.size() < kReserved.size())
        return false;
    const std::string_view tail = host.substr(host.size() - kReserved.size());
    for (std::size_t i = 0; i < kReserved.size(); ++i) {
        if (lowerAscii(tail[i]) != kReserved[i])
            return false;
    }
    return host.size() == kReserved.size() || host[host.size() - kReserved.size() - 1] == '.';
}

std::string fileAddress(std::string_view absolutePath) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            address += c;
        } else {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 0xF];
        }
    }
    return address;
}

std::string helpPageAddress(std::string_view host, std::string_view onlineAddress,
                            std::string_view programDir) {
    if (!isReservedHost(host))
        return std::string(onlineAddress);
    std::string path(programDir);
    if (!path.ends_with('/'))
        path += '/';
    path += maker::kLocalHelpPage;
    return fileAddress(path);
}

std::vector<std::string> handlerTypesFor(std::string_view address) {
    const auto colon = address.find(':');
    if (colon == std::string_view::npos)
        return {};
    std::string scheme;
    for (const char c : address.substr(0, colon))
        scheme += lowerAscii(c);
    if (scheme == "file")
        return {"text/html"};
    if (scheme == "http")
        return {"x-scheme-handler/http", "x-scheme-handler/https"};
    if (scheme == "https")
        return {"x-scheme-handler/https", "x-scheme-handler/http"};
    return {};
}

bool isSuitableHandler(const std::vector<std::string>& declaredTypes, bool needsTerminal,
                       std::string_view type) {
    if (needsTerminal)
        return false;
    const auto same = [&](const std::string& declared) {
        if (declared.size() != type.size())
            return false;
        for (std::size_t i = 0; i < type.size(); ++i)
            if (lowerAscii(declared[i]) != lowerAscii(type[i]))
                return false;
        return true;
    };
    return std::any_of(declaredTypes.begin(), declaredTypes.end(), same);
}

void openWithHandler(AddressLauncher& launcher, Desktop& desktop, std::string_view address,
                     std::string_view helpAddress, bool reportMissing) {
    const AddressLauncher::Outcome outcome = launcher.launch(std::string(address));
    switch (outcome.status) {
    case AddressLauncher::Status::Started:
        return;
    case AddressLauncher::Status::NoHandler:
        if (reportMissing)
            showHelpError(desktop, helpAddress);
        return;
    case AddressLauncher::Status::Failed:
        desktop.showWarning(std::string(kErrorTitle), helpErrorText(helpAddress), outcome.reason);
        return;
    }
}

std::string webSiteButtonAddress(std::string_view host, std::string_view webAddress,
                                 std::string_view helpAddress) {
    return std::string(isReservedHost(host) ? helpAddress : webAddress);
}

std::string webSiteLine(std::string_view buttonAddress) {
    constexpr std::string_view kFile = "file://";
    if (!buttonAddress.starts_with(kFile))
        return std::string(buttonAddress);
    // The path back from its percent-encoded form.
    std::string path;
    const std::string_view encoded = buttonAddress.substr(kFile.size());
    const auto hex = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                            : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() && hex(encoded[i + 1]) >= 0 &&
            hex(encoded[i + 2]) >= 0) {
            path += static_cast<char>(hex(encoded[i + 1]) * 16 + hex(encoded[i + 2]));
            i += 2;
        } else {
            path += encoded[i];
        }
    }
    return path;
}

std::string helpErrorText(std::string_view helpAddress) {
    return "Cannot execute default browser.\r\n"
           "Please, manually go to following URL to obtain help for Tarno Games:\r\n" +
           std::string(helpAddress);
}

void OpenWebSite(const Registry& registry, Desktop& desktop, std::string_view helpAddress) {
    openAddress(registry, desktop, maker::kWebSiteAddress, helpAddress, false);
}

void OpenHelpPage(const Registry& registry, Desktop& desktop, std::string_view helpAddress) {
    openAddress(registry, desktop, helpAddress, helpAddress, true);
}

} // namespace tarno
