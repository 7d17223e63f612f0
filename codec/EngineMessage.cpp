#include "codec/EngineMessage.h"

#include <cstring>

namespace torvik::codec {

const char *engineErrorMessage(sqlite3 *db)
{
    const char *message = sqlite3_errmsg(db);
    if (sqlite3_errcode(db) == SQLITE_NOTADB && message && std::strcmp(message, sqlite3_errstr(SQLITE_NOTADB)) == 0)
        return "file is encrypted or is not a database";
    return message;
}

} // namespace torvik::codec
