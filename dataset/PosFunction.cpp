#include "dataset/PosFunction.h"

#include <sqlite3.h>

namespace torvik::dataset {

int posOf(std::string_view text, std::string_view part)
{
    if (part.empty())
        return 0;
    const size_t at = text.find(part);
    return at == std::string_view::npos ? 0 : int(at + 1);
}

namespace {

std::string_view textOf(sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    if (!bytes)
        return {}; // NULL reads as the empty text
    return {bytes, size_t(sqlite3_value_bytes(value))};
}

} // namespace

void PosFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 2) {
        sqlite3_result_int(context, 0);
        return;
    }
    const std::string_view text = textOf(argv[0]);
    const std::string_view part = textOf(argv[1]);
    sqlite3_result_int(context, posOf(text, part));
}

} // namespace torvik::dataset
