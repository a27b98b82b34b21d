// Exec lines follow the desktop entry quoting rules: blanks separate arguments, double
// quotes group them and a backslash escapes the next character. Single quotes are
// accepted too, since entries in the wild use them and GLib reads them.
#include "platform/desktopentry.h"

#include <vector>

namespace tarno {
namespace {

std::optional<std::vector<std::string>> splitExec(std::string_view exec) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    char quote = 0;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = 0;
            else
                current += c;
        } else if (c == '\\' && i + 1 < exec.size()) {
            current += exec[++i];
            inArgument = true;
        } else if (quote == '"') {
            if (c == '"')
                quote = 0;
            else
                current += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inArgument = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inArgument)
                args.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quote != 0)
        return std::nullopt;
    if (inArgument)
        args.push_back(std::move(current));
    return args;
}

bool isUrlCode(char c) {
    return c == 'u' || c == 'U' || c == 'f' || c == 'F';
}

// The argument with its field codes expanded; `placed` tells whether the placeholder
// has been written already, since one address is all the browser gets.
std::string expandFieldCodes(const std::string& arg, bool& placed) {
    std::string out;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] != '%' || i + 1 == arg.size()) {
            out += arg[i];
            continue;
        }
        const char code = arg[++i];
        if (code == '%') {
            out += '%';
        } else if (isUrlCode(code) && !placed) {
            out += "%1";
            placed = true;
        }
    }
    return out;
}

bool needsQuotes(const std::string& s) {
    return s.empty() || s.find_first_of(" \t\"") != std::string::npos;
}

} // namespace

std::optional<std::string> openCommandFromExec(std::string_view exec) {
    const std::optional<std::vector<std::string>> args = splitExec(exec);
    if (!args || args->empty() || args->front().empty())
        return std::nullopt;
    const std::string& program = args->front();
    std::string command = needsQuotes(program) ? '"' + program + '"' : program;
    bool placed = false;
    for (std::size_t i = 1; i < args->size(); ++i) {
        const std::string& raw = (*args)[i];
        const bool hadPlaceholder = placed;
        const std::string arg = expandFieldCodes(raw, placed);
        // A code such as %i or %c stands alone; it expands to nothing here.
        if (arg.empty() && !raw.empty())
            continue;
        const bool isPlaceholder = placed && !hadPlaceholder;
        command += ' ';
        command += isPlaceholder || needsQuotes(arg) ? '"' + arg + '"' : arg;
    }
    return command;
}

} // namespace tarno
