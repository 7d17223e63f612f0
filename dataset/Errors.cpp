#include "dataset/Errors.h"

namespace torvik::dataset {

// "SQL语句:" in code page 936.
const char *const kSqlStatementMarker = "SQL\xD3\xEF\xBE\xE4:";

std::string formatMessage(const std::string &pattern, std::initializer_list<std::string> args)
{
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace torvik::dataset
