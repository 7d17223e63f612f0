// torvik-db export: writes a table's rows as the editor's export does.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/ExchangeOptions.h"
#include "cli/Failure.h"
#include "exchange/TableExport.h"

namespace torvik::cli {

namespace {

exchange::ExportType formatOption(const std::optional<std::string> &value)
{
    if (!value || *value == "text")
        return exchange::ExportType::Text;
    if (*value == "xml")
        return exchange::ExportType::Xml;
    if (*value == "html")
        return exchange::ExportType::Html;
    throw UsageError("--format is text, xml or html");
}

class ExportCommand : public Command {
public:
    std::string name() const override { return "export"; }
    std::string synopsis() const override
    {
        return "export FILE TABLE OUT [--separator C] [--titles] [--format text|xml|html] [--password P]";
    }
    std::string description() const override
    {
        return "Writes every row of TABLE to the file OUT (replaced if it exists), byte for byte\n"
               "as the editor's export writes it: in text, the fields of each row joined by the\n"
               "separator (\";\" unless --separator gives one character or the word tab), blobs\n"
               "in hexadecimal, CR LF line ends and an empty last line; with --titles a first\n"
               "line of \";\" and the field names. XML and HTML hold the same rows. OUT is used\n"
               "as given: no extension is added.";
    }
    std::vector<OptionSpec> options() const override
    {
        return {{"separator", "C", "the field separator: one character, or tab"},
                {"titles", "", "start with the title line"},
                {"format", "F", "text (the default), xml or html"},
                passwordOption()};
    }
    int run(const Arguments &args) override
    {
        args.expectPositional(3, synopsis());
        exchange::ExportOptions options;
        options.type = formatOption(args.option("format"));
        if (options.type == exchange::ExportType::Text) {
            options.separator = separatorOption(args.option("separator"));
            options.titles = args.flag("titles");
        } else if (args.option("separator") || args.flag("titles")) {
            throw UsageError("--separator and --titles are for the text format");
        }
        CliDatabase db(args.positional()[0], args.option("password"));
        db.requireReadable();
        CliTable table(db, args.positional()[1], CliTable::Reading::ForwardOnly);
        exchange::NoProgress quiet;
        exchange::exportTable(table.table(), table.name(), options, nullptr,
                              QString::fromUtf8(args.positional()[2].c_str()), quiet);
        return 0;
    }
};

const CommandRegistration<ExportCommand> registration;

} // namespace

} // namespace torvik::cli
