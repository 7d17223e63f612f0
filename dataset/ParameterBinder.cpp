#include "dataset/ParameterBinder.h"

#include <sqlite3.h>

namespace torvik::dataset {

namespace {

// A view without bytes has no address; the engine would bind it as NULL.
const char *addressOf(std::string_view bytes)
{
    return bytes.data() ? bytes.data() : "";
}

struct Binder {
    sqlite3_stmt *statement;
    int parameter;

    void operator()(std::monostate) const { sqlite3_bind_null(statement, parameter); }
    void operator()(int32_t v) const { sqlite3_bind_int(statement, parameter, v); }
    void operator()(double v) const { sqlite3_bind_double(statement, parameter, v); }
    void operator()(const TTextValue &v) const
    {
        sqlite3_bind_text(statement, parameter, addressOf(v.bytes), int(v.bytes.size()), SQLITE_TRANSIENT);
    }
    void operator()(const std::u16string &v) const
    {
        sqlite3_bind_text16(statement, parameter, v.c_str(), int(v.size() * 2), SQLITE_TRANSIENT);
    }
    void operator()(const TBlobValue &v) const
    {
        sqlite3_bind_blob(statement, parameter, addressOf(v.bytes), int(v.bytes.size()), SQLITE_TRANSIENT);
    }
};

} // namespace

void BindParameter(sqlite3_stmt *statement, int parameter, const TParameterValue &value)
{
    std::visit(Binder{statement, parameter}, value);
}

} // namespace torvik::dataset
