// The main database file as the engine sees it: every page deciphered on the
// way in and enciphered on the way out, whole pages only on disk.

#include "codec/CodecFile.h"

#include <cstring>

namespace torvik::codec {

namespace {

int realRead(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset)
{
    return file->real->pMethods->xRead(file->real, buffer, amount, offset);
}

int realWrite(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    return file->real->pMethods->xWrite(file->real, buffer, amount, offset);
}

bool allZero(const unsigned char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// After a short read the platform VFS zero-fills what lies past the end of the
// file; such a page is absent, not enciphered, and stays zero.
void decipherRead(CodecState &st, unsigned char *page, int rc)
{
    if (rc == SQLITE_IOERR_SHORT_READ && allZero(page, st.pageSize))
        return;
    decipherBlock(page, st.words(), *st.readKey);
}

} // namespace

int readMainDb(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset)
{
    CodecState *st = file->state.get();
    if (!st || !st->readKey)
        return realRead(file, buffer, amount, offset);

    const int size = st->pageSize;
    auto *out = static_cast<unsigned char *>(buffer);
    if (offset % size == 0 && amount % size == 0) {
        // The page cache's own reads: decipher in place, nothing copied.
        const int rc = realRead(file, buffer, amount, offset);
        if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
            return rc;
        for (int at = 0; at < amount; at += size)
            decipherRead(*st, out + at, rc);
        return rc;
    }

    // A piece of the file (the header, the change counter, the start of an
    // overflow page): decipher each page it touches in the work area and hand
    // out just the bytes asked for.
    unsigned char *page = st->workArea();
    int result = SQLITE_OK;
    const sqlite3_int64 end = offset + amount;
    for (sqlite3_int64 pageStart = offset - offset % size; pageStart < end; pageStart += size) {
        const int rc = realRead(file, page, size, pageStart);
        if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
            return rc;
        if (rc != SQLITE_OK)
            result = rc;
        decipherRead(*st, page, rc);
        const sqlite3_int64 from = pageStart > offset ? pageStart : offset;
        const sqlite3_int64 to = pageStart + size < end ? pageStart + size : end;
        std::memcpy(out + (from - offset), page + (from - pageStart), size_t(to - from));
    }
    return result;
}

int writeMainDb(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    CodecState *st = file->state.get();
    if (!st || !st->writeKey)
        return realWrite(file, buffer, amount, offset);

    const int size = st->pageSize;
    // The engine writes whole pages of the file's page size, which a keyed
    // connection keeps at the cipher's block size. Anything else would leave
    // a page on disk that no reader could decipher.
    if (offset % size != 0 || amount % size != 0)
        return SQLITE_IOERR_WRITE;
    const auto *in = static_cast<const unsigned char *>(buffer);
    unsigned char *copy = st->workArea();
    for (int at = 0; at < amount; at += size) {
        // The engine's page stays in the clear; only the copy is enciphered.
        std::memcpy(copy, in + at, size_t(size));
        encipherBlock(copy, st->words(), *st->writeKey);
        const int rc = realWrite(file, copy, size, offset + at);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace torvik::codec
