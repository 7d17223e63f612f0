// Rollback journals of a keyed database: the framing stays as the engine
// wrote it, page images are stored enciphered with the key the database file
// had when the transaction began, and record checksums cover the image as
// stored. That makes a hot journal roll back to the same bytes whatever key
// (or none) the connection that finds it holds.
//
// Only a journal of the cipher's page size can be one of an encrypted
// database. A journal of any other page size belongs to a plain database:
// its images pass as they are, and so do the pages its rollback writes.

#include "codec/CodecFile.h"

#include <cstring>

namespace torvik::codec {

namespace {

using Part = JournalRecordTracker::Part;

constexpr int kHeaderBytes = 28;
constexpr unsigned char kJournalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};

// The page size of the journal header in `bytes`, or 0 when it is none.
int headerPageSize(const void *bytes)
{
    if (std::memcmp(bytes, kJournalMagic, sizeof kJournalMagic) != 0)
        return 0;
    return int(readBigEndian32(static_cast<const unsigned char *>(bytes) + 24));
}

// A rollback starts by reading the journal's first header; from then on the
// main file knows whether the images it gets back are of its cipher's size.
void learnBeforeRollback(CodecFile *file)
{
    unsigned char header[kHeaderBytes];
    if (file->real->pMethods->xRead(file->real, header, kHeaderBytes, 0) != SQLITE_OK)
        return;
    file->journalPageSize = headerPageSize(header);
    if (file->mainFile && file->journalPageSize)
        file->mainFile->rollbackPageSize = file->journalPageSize != kEncryptedPageSize ? file->journalPageSize : 0;
}

// The state whose read key enciphers the journal's page images; null when the
// journal passes through as it is, and then the tracker starts over.
CodecState *journalKeyState(CodecFile *file, JournalRecordTracker &records)
{
    CodecState *st = file->codec();
    if (st && st->readKey && (file->journalPageSize == 0 || file->journalPageSize == st->pageSize))
        return st;
    records.reset();
    return nullptr;
}

} // namespace

int writeJournal(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    sqlite3_file *real = file->real;
    if (offset == 0 && amount >= kHeaderBytes) {
        if (const int size = headerPageSize(buffer)) {
            file->journalPageSize = size;
            if (file->mainFile)
                file->mainFile->rollbackPageSize = 0;
            // Pages of an encrypted database in a journal of another size
            // would be stored in the clear; such a database is refused when
            // it is read, so this is the last line only.
            const CodecState *st = file->codec();
            if (st && st->readKey && size != st->pageSize)
                return SQLITE_IOERR_WRITE;
        }
    }
    CodecState *st = journalKeyState(file, file->writeRecords);
    if (!st)
        return real->pMethods->xWrite(real, buffer, amount, offset);
    const int size = st->pageSize;
    switch (file->writeRecords.next(offset, amount, size)) {
    case Part::PageImage: {
        const auto *image = static_cast<const unsigned char *>(buffer);
        unsigned char *copy = st->workArea();
        std::memcpy(copy, image, size_t(size));
        encipherBlock(copy, st->words(), *st->readKey);
        file->writeRecords.setImageSums(sampledByteSum(image, size), sampledByteSum(copy, size));
        return real->pMethods->xWrite(real, copy, size, offset);
    }
    case Part::Checksum: {
        unsigned char stored[4];
        writeBigEndian32(stored, file->writeRecords.toStored(readBigEndian32(buffer)));
        return real->pMethods->xWrite(real, stored, 4, offset);
    }
    case Part::Other:
        break;
    }
    return real->pMethods->xWrite(real, buffer, amount, offset);
}

int readJournal(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset)
{
    sqlite3_file *real = file->real;
    if (offset == 0)
        learnBeforeRollback(file);
    CodecState *st = journalKeyState(file, file->readRecords);
    if (!st)
        return real->pMethods->xRead(real, buffer, amount, offset);
    const int size = st->pageSize;
    const Part part = file->readRecords.next(offset, amount, size);
    const int rc = real->pMethods->xRead(real, buffer, amount, offset);
    if (rc != SQLITE_OK) {
        file->readRecords.reset();
        return rc;
    }
    auto *bytes = static_cast<unsigned char *>(buffer);
    switch (part) {
    case Part::PageImage: {
        const std::uint32_t storedSum = sampledByteSum(bytes, size);
        decipherBlock(bytes, st->words(), *st->readKey);
        file->readRecords.setImageSums(sampledByteSum(bytes, size), storedSum);
        break;
    }
    case Part::Checksum:
        writeBigEndian32(bytes, file->readRecords.toEngine(readBigEndian32(bytes)));
        break;
    case Part::Other:
        break;
    }
    return SQLITE_OK;
}

} // namespace torvik::codec
