#include "cli/Arguments.h"

#include "cli/Failure.h"

namespace torvik::cli {

Arguments::Arguments(const std::vector<std::string> &words, const std::set<std::string> &known)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            positional_.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = word.substr(2);
        std::string value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            throw UsageError("option --" + name + " needs a value");
        }
        if (!known.count(name))
            throw UsageError("unknown option --" + name);
        options_[name] = value;
    }
}

std::optional<std::string> Arguments::option(const std::string &name) const
{
    const auto it = options_.find(name);
    if (it == options_.end())
        return std::nullopt;
    return it->second;
}

std::string Arguments::nonEmptyOption(const std::string &name, const std::string &message) const
{
    const std::optional<std::string> value = option(name);
    if (!value || value->empty())
        throw UsageError(message);
    return *value;
}

void Arguments::expectPositional(std::size_t count, const std::string &synopsis) const
{
    if (positional_.size() != count)
        throw UsageError("usage: torvik-db " + synopsis);
}

} // namespace torvik::cli
