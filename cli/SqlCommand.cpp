// torvik-db sql: runs one statement and prints its rows.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/Failure.h"
#include "cli/TextOutput.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdio>

namespace torvik::cli {

namespace {

bool onlyBlanks(const char *text)
{
    for (; text && *text; ++text)
        if (!std::isspace(static_cast<unsigned char>(*text)))
            return false;
    return true;
}

void printRow(sqlite3_stmt *stmt, bool raw)
{
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            std::fputc(';', stdout);
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
        if (!text)
            continue;
        const std::string_view stored(text, size_t(sqlite3_column_bytes(stmt, c)));
        const std::string shown = raw ? std::string(stored) : printableUtf8(stored);
        std::fwrite(shown.data(), 1, shown.size(), stdout);
    }
    std::fputc('\n', stdout);
}

class SqlCommand : public Command {
public:
    std::string name() const override { return "sql"; }
    std::string synopsis() const override { return "sql FILE [--password P] [--raw] \"STATEMENT\""; }
    std::string description() const override
    {
        return "Runs one SQL statement and prints each result row as its column texts joined\n"
               "by \";\", one line per row (NULL prints as nothing). The statement is taken as\n"
               "UTF-8 and handed to the engine in GBK, the encoding of the stored texts, which\n"
               "are printed in UTF-8; a byte that is not part of a GBK character prints as\n"
               "\\xNN. With --raw, texts are printed as stored (GBK bytes), for scripts.";
    }
    std::vector<OptionSpec> options() const override { return {passwordOption(), {"raw", "", "print texts as stored (GBK bytes)"}}; }
    int run(const Arguments &args) override
    {
        args.expectPositional(2, synopsis());
        CliDatabase db(args.positional()[0], args.option("password"));
        const std::string statement = gbkBytes(args.positional()[1]);
        const char *rest = nullptr;
        sqlite3_stmt *stmt = db.prepare(statement.c_str(), &rest);
        if (!stmt || !onlyBlanks(rest)) {
            sqlite3_finalize(stmt);
            throw UsageError("sql runs exactly one statement");
        }
        const bool raw = args.flag("raw");
        const bool done = db.runToEnd(stmt, [raw](sqlite3_stmt *row) { printRow(row, raw); });
        std::fflush(stdout);
        if (!done)
            db.failWithEngineError();
        return 0;
    }
};

const CommandRegistration<SqlCommand> registration;

} // namespace

} // namespace torvik::cli
