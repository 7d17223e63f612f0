#pragma once

// The words after a subcommand: positional arguments and "--name value"
// options, each command saying which options it takes.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace torvik::cli {

class Arguments {
public:
    // Throws UsageError for an option not in `known` or one without a value.
    Arguments(const std::vector<std::string> &words, const std::set<std::string> &known);

    const std::vector<std::string> &positional() const { return positional_; }
    std::optional<std::string> option(const std::string &name) const;
    // The option's value; throws UsageError(message) when it is missing or empty.
    std::string nonEmptyOption(const std::string &name, const std::string &message) const;
    // Throws UsageError unless there are exactly `count` positional arguments.
    void expectPositional(std::size_t count, const std::string &synopsis) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

} // namespace torvik::cli
