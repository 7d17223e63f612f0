#pragma once

// The one place where a value becomes a statement parameter. A field (through
// its slot) and an entry of the typed parameter list both hand over their
// value in the form their type binds as (TBindAs in the field type table).

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

struct sqlite3_stmt;

namespace torvik::dataset {

struct TTextValue {
    std::string_view bytes;
};
struct TBlobValue {
    std::string_view bytes;
};

// std::monostate binds NULL; the engine copies every other value.
using TParameterValue = std::variant<std::monostate, int32_t, double, TTextValue, std::u16string, TBlobValue>;

void BindParameter(sqlite3_stmt *statement, int parameter, const TParameterValue &value);

} // namespace torvik::dataset
