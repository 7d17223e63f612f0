// torvik-db import: adds rows to a table as the editor's import does.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/ExchangeOptions.h"
#include "cli/Failure.h"
#include "exchange/ParadoxTable.h"
#include "exchange/TableImport.h"
#include "exchange/TextFileLines.h"

#include <cstdio>

namespace torvik::cli {

namespace {

void printAdded(int rows)
{
    std::printf("%d %s added\n", rows, rows == 1 ? "row" : "rows");
    std::fflush(stdout);
}

class ImportCommand : public Command {
public:
    std::string name() const override { return "import"; }
    std::string synopsis() const override
    {
        return "import FILE TABLE IN [--separator C | --paradox] [--password P]";
    }
    std::string description() const override
    {
        return "Adds the rows of IN to TABLE as the editor's import does, in one exclusive\n"
               "transaction, and prints how many it added. IN is exported text: title lines\n"
               "(first character \";\"), empty lines and lines without the separator are skipped;\n"
               "each value goes to the next field, blobs from hexadecimal. With --paradox, IN is\n"
               "a Paradox table (\"Q7数据库\"): fields by name, ignoring case. A row the table\n"
               "refuses ends the import with exit status 1 and a message naming its line; the\n"
               "rows before it stay.";
    }
    std::vector<OptionSpec> options() const override
    {
        return {{"separator", "C", "the field separator: one character, or tab"},
                {"paradox", "", "IN is a Paradox table"},
                passwordOption()};
    }
    int run(const Arguments &args) override
    {
        args.expectPositional(3, synopsis());
        const bool paradox = args.flag("paradox");
        if (paradox && args.option("separator"))
            throw UsageError("--separator and --paradox exclude each other");
        const char separator = separatorOption(args.option("separator"));
        const QString in = QString::fromUtf8(args.positional()[2].c_str());

        CliDatabase db(args.positional()[0], args.option("password"));
        db.requireReadable();
        // The source is read before anything changes.
        std::unique_ptr<exchange::ParadoxTable> source;
        std::unique_ptr<exchange::TextFileLines> lines;
        if (paradox)
            source = std::make_unique<exchange::ParadoxTable>(in);
        else
            lines = std::make_unique<exchange::TextFileLines>(exchange::readWholeFile(in));
        CliTable table(db, args.positional()[1]);
        exchange::NoProgress quiet;
        try {
            const exchange::ImportOutcome outcome = exchange::inExclusiveImport(db.connection(), quiet, [&] {
                if (source)
                    return exchange::importParadoxRows(table.table(), *source, quiet, [] {});
                return exchange::importTextRows(table.table(), *lines, separator, quiet);
            });
            printAdded(outcome.rowsAdded);
        } catch (const exchange::ImportRefused &refused) {
            printAdded(refused.rowsAdded());
            throw;
        }
        return 0;
    }
};

const CommandRegistration<ImportCommand> registration;

} // namespace

} // namespace torvik::cli
