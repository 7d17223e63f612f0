// Settings a keyed connection must not take, because they would put pages of
// the encrypted database on disk in a form this codec cannot keep safe.

#include "codec/CodecFile.h"

#include <cstdlib>

namespace torvik::codec {

namespace {

bool is(const char *a, const char *b)
{
    return a && sqlite3_stricmp(a, b) == 0;
}

int refuse(char **args, const char *message)
{
    args[0] = sqlite3_mprintf("%s", message);
    return SQLITE_ERROR;
}

} // namespace

int guardKeyedPragma(char **args)
{
    const char *name = args[1];
    const char *value = args[2];
    if (!value)
        return SQLITE_NOTFOUND;
    // The log's frame checksums chain over the images the engine saw, so a
    // connection without the key would drop the frames of an enciphered log.
    if (is(name, "journal_mode") && is(value, "wal"))
        return refuse(args, "an encrypted database cannot use WAL mode");
    if (is(name, "page_size") && std::atoi(value) != kEncryptedPageSize)
        return refuse(args, "an encrypted database keeps 1024-byte pages");
    // Statement journals and temporary tables have no link to the database
    // file and so no key: they stay in memory.
    if (is(name, "temp_store") && !is(value, "memory") && !is(value, "2"))
        return refuse(args, "an encrypted database keeps its temporary files in memory");
    return SQLITE_NOTFOUND;
}

} // namespace torvik::codec
