#pragma once

#include <sqlite3.h>

namespace torvik::codec {

// The connection's last error message (sqlite3_errmsg), except that a
// request the codec refused gives the codec's reason, and that a file
// the engine cannot read as a database (code SQLITE_NOTADB: encrypted, keyed
// wrongly or not a database at all) is reported as "file is encrypted or is
// not a database", the text callers of the codec test for. Newer engines
// dropped "encrypted" from their wording.
const char *engineErrorMessage(sqlite3 *db);

} // namespace torvik::codec
