#pragma once

// One subcommand of torvik-db. Each lives in a file of its own and registers
// itself, so a new one (export, import, ...) is one more file.

#include "cli/Arguments.h"

#include <memory>
#include <string>
#include <vector>

namespace torvik::cli {

class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    // One line: the synopsis after "torvik-db".
    virtual std::string synopsis() const = 0;
    // A few lines for --help.
    virtual std::string description() const = 0;
    // The options it takes, besides --help.
    virtual std::vector<OptionSpec> options() const = 0;
    // Runs with the arguments after the subcommand's name; answers the exit
    // status. Failures are thrown (Failure, UsageError).
    virtual int run(const Arguments &args) = 0;
};

// The option every command that opens a file takes.
inline OptionSpec passwordOption(const std::string &description = "the file's password (UTF-8)")
{
    return {"password", "P", description};
}

const std::vector<std::unique_ptr<Command>> &commands();
void registerCommand(std::unique_ptr<Command> command);

template <typename T>
struct CommandRegistration {
    CommandRegistration() { registerCommand(std::make_unique<T>()); }
};

} // namespace torvik::cli
