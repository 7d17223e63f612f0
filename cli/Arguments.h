#pragma once

// The words after a subcommand, parsed by Qt's command-line parser: each
// command says which options it takes, an option's value is always the word
// after it (so "--password -h" is a password), and --help is an option, not
// a word found anywhere.

#include <optional>
#include <string>
#include <vector>

namespace torvik::cli {

struct OptionSpec {
    std::string name;
    std::string valueName; // empty: a flag without a value
    std::string description;
};

class Arguments {
public:
    // Throws UsageError for an unknown option or one without its value.
    Arguments(const std::vector<std::string> &words, const std::vector<OptionSpec> &specs);

    bool helpAsked() const { return helpAsked_; }
    const std::vector<std::string> &positional() const { return positional_; }
    // The option's value (UTF-8); the last one when given twice.
    std::optional<std::string> option(const std::string &name) const;
    bool flag(const std::string &name) const;
    // The option's value; throws UsageError(message) when it is missing or empty.
    std::string nonEmptyOption(const std::string &name, const std::string &message) const;
    // Throws UsageError unless there are exactly `count` positional arguments.
    void expectPositional(std::size_t count, const std::string &synopsis) const;

private:
    bool helpAsked_ = false;
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_; // name, value ("" for flags)
};

} // namespace torvik::cli
