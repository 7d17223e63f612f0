// torvik-db: the editor's command-line companion, for database files kept on
// a server without a desktop.

#include "cli/Command.h"
#include "cli/Failure.h"
#include "codec/CodecVfs.h"
#include "dataset/Errors.h"
#include "text/Gbk.h"

#include <QCoreApplication>

#include <iostream>

using namespace torvik::cli;

namespace {

void printIndented(std::ostream &out, const std::string &text)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        out << "    " << text.substr(start, end - start) << "\n";
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

void printOptions(std::ostream &out, const Command &command)
{
    for (const OptionSpec &option : command.options()) {
        std::string left = "--" + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
        left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
        out << "      " << left << option.description << "\n";
    }
}

void printCommandHelp(std::ostream &out, const Command &command)
{
    out << "Usage: torvik-db " << command.synopsis() << "\n\n";
    printIndented(out, command.description());
    out << "\n  Options:\n";
    printOptions(out, command);
    out << "      --help                show this help\n";
}

void printHelp(std::ostream &out)
{
    out << "torvik-db: work on the game database files of the Torvik editor, plain or\n"
           "encrypted, without its window.\n\nUsage:\n";
    for (const auto &command : commands())
        out << "  torvik-db " << command->synopsis() << "\n";
    out << "  torvik-db COMMAND --help\n";
    for (const auto &command : commands()) {
        out << "\n" << command->name() << "\n";
        printIndented(out, command->description());
    }
    out << "\nFILE is opened exactly as given. Passwords and statements are given in UTF-8\n"
           "and used as their GBK bytes, as the editor does. A file another program holds\n"
           "locked is waited for up to 5 seconds.\n"
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
    try {
        const Arguments arguments(words, command->options());
        if (arguments.helpAsked()) {
            printCommandHelp(std::cout, *command);
            return 0;
        }
        return command->run(arguments);
    } catch (const UsageError &e) {
        std::cerr << "torvik-db: " << e.what() << "\n";
        return 2;
    } catch (const torvik::dataset::EDatasetLayerError &e) {
        // The dataset layer's messages are GBK, like the data.
        std::cerr << torvik::text::fromGbk(e.message()).toStdString() << "\n";
        return 1;
    } catch (const std::exception &e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
