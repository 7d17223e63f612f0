// torvik-db check: opens a file and runs the engine's integrity check.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/Failure.h"

#include <sqlite3.h>

#include <cstdio>

namespace torvik::cli {

namespace {

class CheckCommand : public Command {
public:
    std::string name() const override { return "check"; }
    std::string synopsis() const override { return "check FILE [--password P]"; }
    std::string description() const override
    {
        return "Prints \"ok\" when the file opens (with its password, if it is encrypted) and\n"
               "passes PRAGMA integrity_check; otherwise prints the problems found.";
    }
    std::vector<OptionSpec> options() const override { return {passwordOption()}; }
    int run(const Arguments &args) override
    {
        args.expectPositional(1, synopsis());
        CliDatabase db(args.positional()[0], args.option("password"));
        db.requireReadable();
        std::string problems;
        const bool done = db.runToEnd(db.prepare("PRAGMA integrity_check"), [&](sqlite3_stmt *row) {
            const auto *line = reinterpret_cast<const char *>(sqlite3_column_text(row, 0));
            const std::string text = line ? line : "";
            if (text != "ok")
                problems += text + "\n";
        });
        if (!done)
            db.failWithEngineError();
        if (!problems.empty()) {
            problems.pop_back();
            throw Failure(problems);
        }
        std::puts("ok");
        return 0;
    }
};

const CommandRegistration<CheckCommand> registration;

} // namespace

} // namespace torvik::cli
