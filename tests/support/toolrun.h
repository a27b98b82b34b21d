// SPDX-License-Identifier: GPL-3.0-or-later
// For tests of the command-line tools: a fresh folder per test, raw file contents, and
// a tool run as a program in that folder with its output and status.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tarno::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarno-test-XXXXXX");
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec; // a test may have taken the write permission away
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name = "scores.lst") const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string fileBytes(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `args` in `dir`, `input` on standard input; standard output goes
// to `out` (a redirection), by default a file read back. A hang ends after 60 s.
inline ToolRun runTool(const std::string& program, const TempFolder& dir,
                       const std::vector<std::string>& args, const std::string& input = {},
                       const std::string& out = ">stdout.txt") {
    const auto quoted = [](const std::string& s) {
        std::string q = "'";
        for (char c : s)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    };
    std::ofstream(dir.file("stdin.txt"), std::ios::binary) << input;
    std::string cmd = "cd " + quoted(dir.path()) + " && : >stdout.txt && timeout 60 " + quoted(program);
    for (const std::string& a : args)
        cmd += " " + quoted(a);
    const int status = std::system((cmd + " <stdin.txt " + out + " 2>stderr.txt").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(dir.file("stdout.txt")),
            fileBytes(dir.file("stderr.txt"))};
}

} // namespace tarno::testing
