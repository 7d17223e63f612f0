// torvik-db: the editor's command-line companion, for database files kept on
// a server without a desktop.

#include "cli/Command.h"
#include "cli/Failure.h"
#include "codec/CodecVfs.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>

using namespace torvik::cli;

namespace {

const std::set<std::string> kOptions = {"password", "old-password"};

void printHelp(std::ostream &out)
{
    out << "torvik-db: work on the game database files of the Torvik editor, plain or\n"
           "encrypted, without its window.\n\nUsage:\n";
    for (const auto &command : commands())
        out << "  torvik-db " << command->synopsis() << "\n";
    out << "  torvik-db --help\n";
    for (const auto &command : commands()) {
        out << "\n" << command->name() << "\n";
        std::string text = command->description();
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = text.find('\n', start);
            out << "    " << text.substr(start, end - start) << "\n";
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    out << "\nPasswords are given in UTF-8 and used as their GBK bytes, as the editor does.\n"
           "Exit status: 0 on success, 1 when the work fails (the reason goes to stderr),\n"
           "2 for a wrong command line.\n";
}

Command *find(const std::string &name)
{
    for (const auto &command : commands())
        if (command->name() == name)
            return command.get();
    return nullptr;
}

bool asksForHelp(const std::vector<std::string> &words)
{
    for (const std::string &w : words)
        if (w == "--help" || w == "-h")
            return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    torvik::codec::installCodecVfs();
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        printHelp(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    Command *command = find(words[0]);
    if (!command) {
        std::cerr << "torvik-db: unknown command \"" << words[0] << "\"; see torvik-db --help\n";
        return 2;
    }
    words.erase(words.begin());
    if (asksForHelp(words)) {
        std::cout << "torvik-db " << command->synopsis() << "\n" << command->description() << "\n";
        return 0;
    }
    try {
        return command->run(Arguments(words, kOptions));
    } catch (const UsageError &e) {
        std::cerr << "torvik-db: " << e.what() << "\n";
        return 2;
    } catch (const Failure &e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception &e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
