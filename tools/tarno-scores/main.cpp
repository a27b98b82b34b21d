// SPDX-License-Identifier: GPL-3.0-or-later
// tarno-scores: the hi-score lists and the score file from the command line.
#include "host/commandchannel.h"
#include "scores/codepage.h"
#include "scores/hiscorelist.h"
#include "scores/recorder.h"
#include "scores/scorefile.h"
#include "platform/buildsettings.h"
#include "shell/catalogue.h"

#include <cerrno>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <getopt.h>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using namespace tarno;

constexpr const char* kHelp = R"(Usage:
  tarno-scores show SLOT [--mark N] [--file PATH]
  tarno-scores add ARGS [--name NAME] [--file PATH]
  tarno-scores dump [--file PATH] [--format csv|json]
  tarno-scores --help | --version

show   prints the hi-score list of SLOT as the hi-score window shows it: one line per
       listed result, best first, at most 15:
         PLACE<TAB>NAME<TAB>TIME<TAB>SCORE<TAB>MOVES
       PLACE is "1." to "15.", TIME is minutes:seconds.milliseconds, and the columns
       the slot does not show are empty. With --mark N, when record N is a result of
       SLOT, one more line follows for it with its place among all results of the
       slot, marked with a star ("*27."). SLOT is a slot number 1..17 or a slot id
       such as tarno9.
add    records a result exactly as a game does: ARGS is the game's comma-separated
       result text, the slot id first (e.g. tarno9,83456 or lumo12,37,61000,Eve).
       lumo11, lumo12 and lumo13 carry the player's name as element 3 of ARGS and
       lumo18 as element 4, taken unchanged (even when empty, or missing from a
       list that ends before it); every other slot needs --name NAME. Prints the new record's number. A result that cannot be
       recorded, or a file that cannot be written, exits with status 1.
dump   prints every record in file order: record number, slot, slot id, name
       (without outer spaces), time in milliseconds, score and moves. The default
       format is tab-separated text; csv has a header line; json is an array.

In the tab-separated text of show and dump, a name's control characters are
written as \t, \n, \r or \xHH (\u0080 to \u009f for the C1 controls), and a
backslash as \\, so every result is one line and nothing reaches the terminal
as a command.

--file PATH   the score file; default scores.lst in the current directory. It
              must be a regular file. show and dump only read: a missing file
              is an empty list, and nothing is created; add creates it when
              missing. A file whose length is not a whole multiple of
              66 bytes ends in a damaged record: show and dump leave that record
              out and say so, and add refuses to write to the file.

Exit status: 0 on success, 1 when the file cannot be used, a result cannot be
recorded or the output cannot be written, 2 for a wrong command line.
)";

struct UsageError {
    std::string text;
};

int usage(const std::string& text) {
    std::cerr << "tarno-scores: " << text << "\nTry 'tarno-scores --help'.\n";
    return 2;
}

std::string escapedText(std::string_view text);

int fileError(const ScoreError& e) {
    std::cerr << "tarno-scores: " << escapedText(e.text()) << "\n";
    return 1;
}

void note(const std::string& text) {
    std::cerr << "tarno-scores: note: " << escapedText(text) << "\n";
}

// Standard output, checked: every write and the final flush. A full disk, a closed
// output or a file-size limit ends the program with a message and status 1, never
// with a truncated file and status 0.
class Output {
public:
    void write(std::string_view text) {
        if (!m_failed && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
            fail();
    }
    // The status to exit with: `status`, or 1 when the output could not be written.
    int finish(int status) {
        if (!m_failed && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            fail();
        if (m_failed) {
            std::cerr << "tarno-scores: could not write the output: " << std::strerror(m_errno)
                      << "\n";
            return 1;
        }
        return status;
    }
    bool failed() const { return m_failed; }

private:
    void fail() {
        m_failed = true;
        m_errno = errno != 0 ? errno : EIO;
    }
    bool m_failed = false;
    int m_errno = 0;
};

// Text for a tab-separated line: control characters and the backslash escaped, so a
// name can neither start a new line or column nor send the terminal a command.
std::string escapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto hex = [&out](const char* prefix, unsigned v) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%s%02x", prefix, v);
        out += buf;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c < 0x20 || c == 0x7f)
            hex("\\x", c);
        else if (c == 0xc2 && i + 1 < text.size() &&
                 static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                 static_cast<unsigned char>(text[i + 1]) <= 0x9f)
            hex("\\u00", static_cast<unsigned char>(text[++i]));
        else
            out += static_cast<char>(c);
    }
    return out;
}

// A piece of the command line quoted in a message: escaped, and cut after 40
// characters so a pasted megabyte does not fill the terminal.
std::string quotedArg(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::size_t end = 0;
    std::size_t chars = 0;
    while (end < text.size() && chars < kShown) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
            ++end;
        ++chars;
    }
    return "\"" + escapedText(text.substr(0, end)) + (end < text.size() ? "...\"" : "\"");
}

std::optional<std::int64_t> parseWhole(std::string_view s) {
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

struct Options {
    std::vector<std::string> positional;
    std::string file = kScoreFileName;
    std::optional<std::string> mark;
    std::optional<std::string> name;
    std::string format = "text";
};

// Options may stand anywhere, before or after the command; "--" ends them.
enum class Parsed { Run, Help, Version };
std::variant<Parsed, std::string> parseOptions(int argc, char** argv, Options& o) {
    enum { kFile = 256, kMark, kName, kFormat, kVersion };
    const option longOptions[] = {{"help", no_argument, nullptr, 'h'},
                                  {"version", no_argument, nullptr, kVersion},
                                  {"file", required_argument, nullptr, kFile},
                                  {"mark", required_argument, nullptr, kMark},
                                  {"name", required_argument, nullptr, kName},
                                  {"format", required_argument, nullptr, kFormat},
                                  {nullptr, 0, nullptr, 0}};
    opterr = 0; // the caller says it our way
    for (;;) {
        const int opt = getopt_long(argc, argv, ":h", longOptions, nullptr);
        switch (opt) {
        case -1:
            for (int i = optind; i < argc; ++i)
                o.positional.emplace_back(argv[i]);
            return Parsed::Run;
        case 'h':
            return Parsed::Help;
        case kVersion:
            return Parsed::Version;
        case kFile:
            o.file = optarg;
            break;
        case kMark:
            o.mark = optarg;
            break;
        case kName:
            o.name = optarg;
            break;
        case kFormat:
            o.format = optarg;
            break;
        case ':':
            return std::string(argv[optind - 1]) + " needs a value";
        default: {
            std::string given = optopt ? std::string{'-', static_cast<char>(optopt)}
                                       : std::string(argv[optind - 1]);
            given.resize(std::min(given.find('='), given.size()));
            return "unknown option " + quotedArg(given);
        }
        }
    }
}

std::string joinRow(const std::string& place, const HiScoreRowText& t) {
    return place + "\t" + escapedText(t.name) + "\t" + t.time + "\t" + t.score + "\t" + t.moves +
           "\n";
}

int show(const Options& o) {
    if (o.positional.size() != 1)
        return usage("show needs one SLOT");
    const std::string& slotText = o.positional[0];
    std::optional<int> slot;
    if (auto n = parseWhole(slotText))
        slot = (*n >= 1 && *n <= 17) ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
    else
        slot = slotBySlotId(slotText);
    if (!slot || !slotKind(*slot))
        return usage("no hi-score list for slot " + quotedArg(slotText) + " (1..17 or a slot id)");
    std::int64_t mark = 0;
    if (o.mark) {
        const auto n = parseWhole(*o.mark);
        if (!n || *n < 1)
            return usage("--mark needs a record number of 1 or more, not " + quotedArg(*o.mark));
        mark = *n;
    }
    const ScoreFile file(o.file, ScoreFile::Missing::ReadAsEmpty);
    auto list = buildHiScoreList(file, *slot, mark);
    if (!list)
        return fileError(list.error());
    for (const std::string& text : list.value().notes)
        note(text);
    std::string out;
    int place = 0;
    for (const NumberedRecord& r : list.value().top)
        out += joinRow(placeText(++place), rowText(*list.value().kind, r.record));
    if (list.value().marked)
        out += joinRow("*" + placeText(list.value().markedPlace),
                       rowText(*list.value().kind, list.value().marked->record));
    Output output;
    output.write(out);
    return output.finish(0);
}

// Writes to standard error only: the tool has no window to show.
class ConsoleView : public HiScoreView {
public:
    void showList(int, std::int64_t) override {}
    void showMessage(Severity severity, const std::string& text) override {
        std::cerr << (severity == Severity::Information ? "tarno-scores: note: " : "tarno-scores: ")
                  << escapedText(text) << "\n";
    }
};

std::vector<std::string> splitArgs(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

int add(const Options& o) {
    if (o.positional.size() != 1)
        return usage("add needs one ARGS text, e.g. tarno9,83456");
    const std::vector<std::string> args = splitArgs(o.positional[0]);
    // The slots whose games send the name take it from ARGS, as the command channel does.
    const int element = nameElementFor(args[0]);
    if (element >= 0 && o.name)
        return usage(args[0] + " takes the name from ARGS (element " + std::to_string(element) +
                     "); leave out --name");
    if (element < 0 && !o.name)
        return usage("add needs --name NAME");
    ScoreFile file(o.file);
    ConsoleView view;
    // A list too short to hold its name records an empty name, as in the game.
    std::string name = element < 0 ? *o.name : std::string();
    if (element >= 0 && static_cast<std::size_t>(element) < args.size())
        name = args[static_cast<std::size_t>(element)];
    const RecordOutcome r = RecordScore(file, view, name, args);
    switch (r.status) {
    case RecordOutcome::Status::Shown:
    case RecordOutcome::Status::SavedWithoutList: {
        Output output;
        output.write(std::to_string(r.recordNumber) + "\n");
        const int status = output.finish(0);
        if (status != 0)
            std::cerr << "tarno-scores: the result was saved as record " << r.recordNumber
                      << ", but its number could not be printed.\n";
        return status;
    }
    case RecordOutcome::Status::Rejected:
    case RecordOutcome::Status::NotSaved:
        return 1;
    }
    return 1;
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

int dump(const Options& o) {
    if (!o.positional.empty())
        return usage("dump takes no arguments besides its options");
    if (o.format != "text" && o.format != "csv" && o.format != "json")
        return usage("--format is csv or json, not " + quotedArg(o.format));
    const ScoreFile file(o.file, ScoreFile::Missing::ReadAsEmpty);
    Output output;
    std::string out;
    bool first = true;
    const auto flush = [&] {
        output.write(out);
        out.clear();
    };
    if (o.format == "csv")
        out += "record,slot,slotId,name,timeMs,score,moves\n";
    if (o.format == "json")
        out += "[";
    ScoreFile::Visitor v;
    v.note = note;
    v.each = [&](std::int64_t n, RecordView bytes) {
        if (output.failed())
            return; // the rest would be lost as well
        const ScoreRecord r = decodeRecord(bytes);
        const ScoreSlot* s = slotByNumber(r.slot);
        const std::string slotId = s ? std::string(s->slotId) : std::string();
        const std::string name = trimmedName(r.name);
        const std::string num = std::to_string(n);
        if (o.format == "json") {
            out += first ? "\n" : ",\n";
            out += "  {\"record\": " + num + ", \"slot\": " + std::to_string(r.slot) +
                   ", \"slotId\": " + jsonString(slotId) + ", \"name\": " + jsonString(name) +
                   ", \"timeMs\": " + std::to_string(r.timeMs) +
                   ", \"score\": " + std::to_string(r.score) +
                   ", \"moves\": " + std::to_string(r.moves) + "}";
        } else {
            const char* sep = o.format == "csv" ? "," : "\t";
            out += num + sep + std::to_string(r.slot) + sep + slotId + sep +
                   (o.format == "csv" ? csvField(name) : escapedText(name)) + sep +
                   std::to_string(r.timeMs) + sep + std::to_string(r.score) + sep +
                   std::to_string(r.moves) + "\n";
        }
        first = false;
        if (out.size() > (1 << 16))
            flush();
    };
    auto count = file.visit(v);
    if (!count) {
        flush();
        output.finish(0);
        return fileError(count.error());
    }
    if (o.format == "json")
        out += first ? "]\n" : "\n]\n";
    flush();
    return output.finish(0);
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    const auto parsed = parseOptions(argc, argv, o);
    if (const auto* err = std::get_if<std::string>(&parsed))
        return usage(*err);
    if (std::get<Parsed>(parsed) != Parsed::Run) {
        Output output;
        output.write(std::get<Parsed>(parsed) == Parsed::Help ? kHelp
                                                              : "tarno-scores " TARNO_VERSION "\n");
        return output.finish(0);
    }
    if (o.positional.empty())
        return usage("missing command");
    const std::string command = o.positional.front();
    o.positional.erase(o.positional.begin());
    if (command == "help") {
        Output output;
        output.write(kHelp);
        return output.finish(0);
    }
    if (command == "show")
        return show(o);
    if (command == "add")
        return add(o);
    if (command == "dump")
        return dump(o);
    return usage("unknown command " + quotedArg(command));
}
