// The main database file as the engine sees it: every page deciphered on the
// way in and enciphered on the way out, whole pages only on disk.

#include "codec/CodecFile.h"

#include <cstring>
#include <string>

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

// The page size a database header gives, or 0 when `page` does not begin
// with one.
int headerPageSize(const unsigned char *page)
{
    static const char kMagic[] = "SQLite format 3"; // with its terminator: 16 bytes
    if (std::memcmp(page, kMagic, sizeof kMagic) != 0)
        return 0;
    const int size = page[16] << 8 | page[17];
    return size == 1 ? 65536 : size;
}

// An encrypted file deciphers as blocks of the cipher's size. One whose
// header, so deciphered, gives another page size was not written by this
// format; the engine would read and write it by pages the cipher does not
// cover, so it is refused before anything is written.
int checkFirstBlock(CodecFile *file, const CodecState &st, const unsigned char *block)
{
    const int size = headerPageSize(block);
    if (size == 0 || size == st.pageSize) {
        if (file->refusalCode == SQLITE_CANTOPEN)
            file->refusalMessage.clear();
        return SQLITE_OK;
    }
    const std::string message = "the encrypted database has " + std::to_string(size)
                                + "-byte pages; an encrypted database must have "
                                + std::to_string(st.pageSize) + "-byte pages";
    return refuse(file, SQLITE_CANTOPEN, message.c_str());
}

// Deciphers one block as read from `offset` of the file. After a short read
// the platform VFS zero-fills what lies past the end of the file; such a block
// is absent, not enciphered, and stays zero.
int decipherRead(CodecFile *file, CodecState &st, unsigned char *block, sqlite3_int64 offset, int rc)
{
    const CipherKey *key = st.keyOnDisk(std::size_t(offset / st.pageSize));
    if (!key || (rc == SQLITE_IOERR_SHORT_READ && allZero(block, st.pageSize)))
        return SQLITE_OK;
    decipherBlock(block, st.words(), *key);
    return offset == 0 ? checkFirstBlock(file, st, block) : SQLITE_OK;
}

// Builds the block at `offset` in the work area from `in` and writes it.
int writeBlock(CodecFile *file, CodecState &st, const unsigned char *in, sqlite3_int64 offset)
{
    // The engine's page stays in the clear; only the copy is enciphered.
    unsigned char *copy = st.workArea();
    std::memcpy(copy, in, size_t(st.pageSize));
    if (st.writeKey)
        encipherBlock(copy, st.words(), *st.writeKey);
    const int rc = realWrite(file, copy, st.pageSize, offset);
    if (rc == SQLITE_OK)
        st.noteRewritten(std::size_t(offset / st.pageSize));
    return rc;
}

// A write of part of a block: the pages of a plain database with pages
// smaller than the cipher's block, rewritten under the new key by a re-key.
// The block is read as it stands on disk, patched and written whole.
int patchBlock(CodecFile *file, CodecState &st, const unsigned char *in, int amount, sqlite3_int64 offset)
{
    const int size = st.pageSize;
    const sqlite3_int64 start = offset - offset % size;
    unsigned char *block = st.workArea();
    int rc = realRead(file, block, size, start);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
        return rc;
    const CipherKey *key = st.keyOnDisk(std::size_t(start / size));
    if (key && !(rc == SQLITE_IOERR_SHORT_READ && allZero(block, size)))
        decipherBlock(block, st.words(), *key);
    std::memcpy(block + (offset - start), in, size_t(amount));
    if (st.writeKey)
        encipherBlock(block, st.words(), *st.writeKey);
    rc = realWrite(file, block, size, start);
    if (rc == SQLITE_OK)
        st.noteRewritten(std::size_t(start / size));
    return rc;
}

} // namespace

int readMainDb(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset)
{
    CodecState *st = file->state.get();
    if (!st)
        return realRead(file, buffer, amount, offset);

    const int size = st->pageSize;
    auto *out = static_cast<unsigned char *>(buffer);
    if (offset % size == 0 && amount % size == 0) {
        // The page cache's own reads: decipher in place, nothing copied.
        const int rc = realRead(file, buffer, amount, offset);
        if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)
            return rc;
        for (int at = 0; at < amount; at += size)
            if (const int refused = decipherRead(file, *st, out + at, offset + at, rc); refused != SQLITE_OK)
                return refused;
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
        if (const int refused = decipherRead(file, *st, page, pageStart, rc); refused != SQLITE_OK)
            return refused;
        const sqlite3_int64 from = pageStart > offset ? pageStart : offset;
        const sqlite3_int64 to = pageStart + size < end ? pageStart + size : end;
        std::memcpy(out + (from - offset), page + (from - pageStart), size_t(to - from));
    }
    return result;
}

int writeMainDb(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    CodecState *st = file->state.get();
    if (!st || (!st->readKey && !st->writeKey))
        return realWrite(file, buffer, amount, offset);
    const int size = st->pageSize;
    // The engine rolling back a journal of another page size than the
    // cipher's: that journal holds a plain database's own old bytes.
    if (file->rollbackPageSize && amount == file->rollbackPageSize && amount != size)
        return realWrite(file, buffer, amount, offset);

    const auto *in = static_cast<const unsigned char *>(buffer);
    if (offset % size == 0 && amount % size == 0) {
        for (int at = 0; at < amount; at += size)
            if (const int rc = writeBlock(file, *st, in + at, offset + at); rc != SQLITE_OK)
                return rc;
        return SQLITE_OK;
    }
    if (st->rekeying() && amount < size && offset / size == (offset + amount - 1) / size)
        return patchBlock(file, *st, in, amount, offset);
    // Anything else would leave a page on disk that no reader could decipher.
    return SQLITE_IOERR_WRITE;
}

} // namespace torvik::codec
