// bramble-cli: the command-line front end over Bramble's core.
#include <algorithm>
#include <iostream>
#include <map>
#include <string>

#include "Commands.h"

namespace {

using Runner = int (*)(const bramble::cli::Args&, std::ostream&, std::ostream&);

const std::map<std::string, std::pair<Runner, const char*>>& CommandTable()
{
    static const std::map<std::string, std::pair<Runner, const char*>> table = {
        {"dump", {&bramble::cli::RunDump, "print every header and reading of a meter file"}},
        {"tide", {&bramble::cli::RunTide, "print the earth-tide correction at a station over a period"}},
        {"ocean-load",
         {&bramble::cli::RunOceanLoad, "print the ocean tide loading correction at a station over a period"}},
        {"reduce", {&bramble::cli::RunReduce, "correct a survey, average it per station and export it"}},
        {"adjust", {&bramble::cli::RunAdjust, "adjust a gravity network tied to datums, with its statistics"}},
    };
    return table;
}

void PrintHelp(std::ostream& out)
{
    out << "usage: bramble-cli COMMAND [OPTIONS]\n\n"
           "Bramble reduces relative-gravity survey data. Commands:\n";
    std::size_t width = 0;
    for (const auto& entry : CommandTable())
        width = std::max(width, entry.first.size());
    for (const auto& [name, entry] : CommandTable())
        out << "  " << name << std::string(width + 2 - name.size(), ' ') << entry.second << '\n';
    out << "\n'bramble-cli COMMAND --help' lists the options of a command.\n"
           "  --help      show this text\n"
           "  --version   show the version\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    if (command == "--version") {
        std::cout << "bramble-cli " << BRAMBLE_VERSION << '\n';
        return 0;
    }
    const auto it = CommandTable().find(command);
    if (it == CommandTable().end()) {
        std::cerr << "bramble-cli: unknown command '" << command << "'\n\n";
        PrintHelp(std::cerr);
        return 2;
    }
    const bramble::cli::Args args(argv + 2, argv + argc);
    const int status = it->second.first(args, std::cout, std::cerr);
    // What a command printed may still sit in the buffer: a full disk or a
    // closed pipe shows only when it is flushed, and must not end in success.
    // A command that failed has said why already.
    std::cout.flush();
    if (!std::cout && status == 0) {
        std::cerr << "bramble-cli " << command << ": could not write to standard output\n";
        return 1;
    }
    return status;
}
