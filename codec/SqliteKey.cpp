// The codec entry points. They find the connection's main database file
// through the engine and keep the codec state on it, inside the codec VFS.

#include "codec/SqliteKey.h"

#include "codec/CodecFile.h"
#include "codec/EngineCalls.h"
#include "codec/Rekey.h"

#include <sqlite3.h>

using namespace torvik::codec;

namespace {

constexpr const char *kNotThroughCodec = "the database is not opened through the page codec";

// Finds the connection's main database file inside the codec VFS; when there
// is none, answers the result code the entry point returns.
int findMainCodecFile(sqlite3 *db, CodecFile *&main)
{
    if (!db)
        return SQLITE_MISUSE;
    main = mainCodecFile(db);
    if (!main)
        return reportError(db, nullptr, SQLITE_ERROR, kNotThroughCodec);
    return SQLITE_OK;
}

} // namespace

extern "C" int sqlite3_key(sqlite3 *db, const void *pKey, int nKey)
{
    if (!pKey || nKey == 0)
        return SQLITE_OK;
    if (nKey < 0)
        return SQLITE_ERROR;
    CodecFile *main = nullptr;
    if (const int rc = findMainCodecFile(db, main); rc != SQLITE_OK)
        return rc;
    KeyRef key = deriveKey(pKey, nKey);
    if (const int rc = prepareKeyedConnection(db); rc != SQLITE_OK)
        return rc;
    main->state = std::make_unique<CodecState>(key, key, kEncryptedPageSize);
    return SQLITE_OK;
}

extern "C" int sqlite3_rekey(sqlite3 *db, const void *pKey, int nKey)
{
    CodecFile *main = nullptr;
    if (const int rc = findMainCodecFile(db, main); rc != SQLITE_OK)
        return rc;
    KeyRef key = deriveKey(pKey, nKey);
    if (!main->state && !key)
        return SQLITE_OK;
    return rekeyDatabase(db, main, std::move(key));
}
