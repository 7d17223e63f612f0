#pragma once

#include <sqlite3.h>

#include <string>

namespace torvik::codec {

struct CodecFile;

// Brings a plain database into the shape an encrypted one must have, while
// it is still plain: out of WAL mode (checkpointed first) and 1024-byte pages
// (rebuilt with its row ids kept). Each change commits on its own.
int prepareForEncryption(sqlite3 *db, CodecFile *main, const std::string &journalMode);

} // namespace torvik::codec
