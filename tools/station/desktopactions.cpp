// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the desktop entry with one desktop action per game, at build time, so the
// games a dock offers on a right click are the catalogue's, in its order.
//   tarno-desktop-actions TEMPLATE OUT
// The main group of TEMPLATE gains an Actions= line; a group per game follows it, each
// running the main Exec line with --play <gameId>.
#include "shell/catalogue.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarno-desktop-actions TEMPLATE OUT\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    std::string line, exec, entry;
    while (std::getline(in, line)) {
        if (line.rfind("Exec=", 0) == 0)
            exec = line.substr(5);
        entry += line + '\n';
    }
    if (!in.eof() || exec.empty()) {
        std::fprintf(stderr, "tarno-desktop-actions: %s has no Exec line\n", argv[1]);
        return 1;
    }
    std::ostringstream out;
    out << entry << "Actions=";
    for (const tarno::GameRow& game : tarno::playMenu())
        out << game.gameId << ';';
    out << '\n';
    for (const tarno::GameRow& game : tarno::playMenu())
        out << "\n[Desktop Action " << game.gameId << "]\nName=" << game.title
            << "\nExec=" << exec << " --play " << game.gameId << '\n';
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    file.close();
    if (!file) {
        std::fprintf(stderr, "tarno-desktop-actions: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
