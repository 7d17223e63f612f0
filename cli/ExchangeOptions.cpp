#include "cli/ExchangeOptions.h"

#include "cli/Failure.h"
#include "exchange/EditorTable.h"

namespace torvik::cli {

char separatorOption(const std::optional<std::string> &value)
{
    if (!value)
        return ';';
    if (*value == "tab")
        return '\t';
    // One byte, as the editor's box allows: a wider character would split.
    if (value->size() != 1 || static_cast<unsigned char>((*value)[0]) < 0x20
        || static_cast<unsigned char>((*value)[0]) >= 0x7F)
        throw UsageError("--separator takes one printable ASCII character or the word tab");
    return (*value)[0];
}

CliTable::CliTable(CliDatabase &database, const std::string &utf8Name, Reading reading) : name_(gbkBytes(utf8Name))
{
    exchange::setUpEditorTable(table_, database.connection());
    table_.setUniDirectional(reading == Reading::ForwardOnly);
    table_.setTableName(name_);
    table_.Open();
}

} // namespace torvik::cli
