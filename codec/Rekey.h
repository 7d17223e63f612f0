#pragma once

#include "codec/CodecKey.h"

#include <sqlite3.h>

namespace torvik::codec {

struct CodecFile;

// Rewrites every page of the main database under `newKey` (none: plain) in
// one write transaction; on failure the file and the codec state stay as they
// were. Returns an SQLite result code, the connection's error set with it.
int rekeyDatabase(sqlite3 *db, CodecFile *main, KeyRef newKey);

// What a keyed connection needs before its first statement: 1024-byte pages
// for a database still empty, statement journals and temporary files in
// memory.
int prepareKeyedConnection(sqlite3 *db);

} // namespace torvik::codec
