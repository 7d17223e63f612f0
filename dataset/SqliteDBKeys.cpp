// The connection's two password operations, handed to the page codec. The
// password is the system's 8-bit text and reaches the codec byte for byte.

#include "dataset/SqliteDB.h"

#include "codec/SqliteKey.h"

#include <sqlite3.h>

namespace torvik::dataset {

bool TSqliteDB::SetKey(const std::string &password)
{
    // An empty password means a plain file: nothing to tell the engine.
    if (password.empty())
        return true;
    return sqlite3_key(Handle(), password.data(), int(password.size())) == SQLITE_OK;
}

bool TSqliteDB::Rekey(const std::string &password)
{
    // Always called, an empty password (an empty text of length 0) decrypting.
    return sqlite3_rekey(Handle(), password.c_str(), int(password.size())) == SQLITE_OK;
}

} // namespace torvik::dataset
