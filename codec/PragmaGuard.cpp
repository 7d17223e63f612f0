// Settings a keyed connection must not take, because they would put pages of
// the encrypted database on disk in a form this codec cannot keep safe.

#include "codec/CodecFile.h"

#include <cstdlib>

namespace torvik::codec {

namespace {

constexpr const char *kTempStoreMessage = "an encrypted database keeps its temporary files in memory";

bool is(const char *a, const char *b)
{
    return a && sqlite3_stricmp(a, b) == 0;
}

bool keepsTempInMemory(const char *value)
{
    return is(value, "memory") || is(value, "2");
}

int refusePragma(char **args, const char *message)
{
    args[0] = sqlite3_mprintf("%s", message);
    return SQLITE_ERROR;
}

// temp_store belongs to the connection, whichever schema the pragma names;
// but the engine asks only the named schema's file about a pragma, and the
// temporary database has none while it is in memory. So the schemas other
// than main are checked here, before the engine asks any file.
int authorizeTempStore(void *arg, int action, const char *name, const char *value, const char *schema, const char *)
{
    auto *main = static_cast<CodecFile *>(arg);
    if (action != SQLITE_PRAGMA || !main->state || !is(name, "temp_store") || !value || keepsTempInMemory(value))
        return SQLITE_OK;
    if (!schema || is(schema, "main"))
        return SQLITE_OK; // the main file's own guard answers
    refuse(main, SQLITE_AUTH, kTempStoreMessage);
    return SQLITE_DENY;
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
        return refusePragma(args, "an encrypted database cannot use WAL mode");
    if (is(name, "page_size") && std::atoi(value) != kEncryptedPageSize)
        return refusePragma(args, "an encrypted database keeps 1024-byte pages");
    // Statement journals and temporary tables have no link to the database
    // file and so no key: they stay in memory.
    if (is(name, "temp_store") && !keepsTempInMemory(value))
        return refusePragma(args, kTempStoreMessage);
    return SQLITE_NOTFOUND;
}

void installTempStoreGuard(sqlite3 *db, CodecFile *main)
{
    if (main->authorizerInstalled)
        return;
    // Installed as the connection opens, before its first statement: a new
    // authorizer expires the statements prepared so far.
    main->authorizerInstalled = sqlite3_set_authorizer(db, authorizeTempStore, main) == SQLITE_OK;
}

} // namespace torvik::codec
