#include "cli/Command.h"

#include <algorithm>

namespace torvik::cli {

namespace {

std::vector<std::unique_ptr<Command>> &registry()
{
    static std::vector<std::unique_ptr<Command>> all;
    return all;
}

} // namespace

const std::vector<std::unique_ptr<Command>> &commands()
{
    return registry();
}

void registerCommand(std::unique_ptr<Command> command)
{
    auto &all = registry();
    all.push_back(std::move(command));
    std::sort(all.begin(), all.end(), [](const auto &a, const auto &b) { return a->name() < b->name(); });
}

} // namespace torvik::cli
