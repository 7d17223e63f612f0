// The codec as a VFS shim: registered as the default VFS over the platform's,
// it passes every call through and applies the page cipher to the files of
// keyed databases.

#include "codec/CodecVfs.h"

#include "codec/CodecFile.h"
#include "codec/CodecTestHooks.h"

#include <cassert>
#include <mutex>
#include <new>

namespace torvik::codec {

namespace {

sqlite3_vfs g_vfs;
sqlite3_vfs *g_platform = nullptr;
sqlite3_io_methods g_methods;

constexpr int realOffset()
{
    return int((sizeof(CodecFile) + 15) / 16 * 16);
}

CodecFile *asCodec(sqlite3_file *f)
{
    return reinterpret_cast<CodecFile *>(f);
}

const sqlite3_io_methods *realMethods(sqlite3_file *f)
{
    return asCodec(f)->real->pMethods;
}

FileRole roleOf(int flags)
{
    if (flags & SQLITE_OPEN_MAIN_DB)
        return FileRole::MainDb;
    if (flags & SQLITE_OPEN_MAIN_JOURNAL)
        return FileRole::Journal;
    if (flags & SQLITE_OPEN_WAL)
        return FileRole::Wal;
    return FileRole::Other;
}

int testHook(CodecFile *c, bool write, sqlite3_int64 offset, int amount)
{
    auto &hook = testhooks::detail::ioHook();
    return hook ? hook({c->role, write, offset, amount}) : SQLITE_OK;
}

int ioClose(sqlite3_file *f)
{
    CodecFile *c = asCodec(f);
    if (c->role == FileRole::Journal && c->mainFile)
        c->mainFile->rollbackPageSize = 0;
    const int rc = c->real->pMethods ? c->real->pMethods->xClose(c->real) : SQLITE_OK;
    c->~CodecFile();
    return rc;
}

int ioRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    CodecFile *c = asCodec(f);
    if (const int hooked = testHook(c, false, offset, amount); hooked != SQLITE_OK)
        return hooked;
    switch (c->role) {
    case FileRole::MainDb:
        return readMainDb(c, buffer, amount, offset);
    case FileRole::Journal:
        return readJournal(c, buffer, amount, offset);
    default:
        return c->real->pMethods->xRead(c->real, buffer, amount, offset);
    }
}

int ioWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    CodecFile *c = asCodec(f);
    if (const int hooked = testHook(c, true, offset, amount); hooked != SQLITE_OK)
        return hooked;
    switch (c->role) {
    case FileRole::MainDb:
        return writeMainDb(c, buffer, amount, offset);
    case FileRole::Journal:
        return writeJournal(c, buffer, amount, offset);
    default:
        return c->real->pMethods->xWrite(c->real, buffer, amount, offset);
    }
}

int ioTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return realMethods(f)->xTruncate(asCodec(f)->real, size);
}

int ioSync(sqlite3_file *f, int flags)
{
    return realMethods(f)->xSync(asCodec(f)->real, flags);
}

int ioFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return realMethods(f)->xFileSize(asCodec(f)->real, size);
}

int ioLock(sqlite3_file *f, int level)
{
    CodecFile *c = asCodec(f);
    const int rc = c->real->pMethods->xLock(c->real, level);
    if (rc == SQLITE_OK && level > c->engineLock)
        c->engineLock = level;
    return rc;
}

int ioUnlock(sqlite3_file *f, int level)
{
    CodecFile *c = asCodec(f);
    if (c->lockPinned) {
        c->engineLock = level;
        return SQLITE_OK;
    }
    const int rc = c->real->pMethods->xUnlock(c->real, level);
    if (rc == SQLITE_OK)
        c->engineLock = level;
    return rc;
}

int ioCheckReservedLock(sqlite3_file *f, int *out)
{
    return realMethods(f)->xCheckReservedLock(asCodec(f)->real, out);
}

int ioFileControl(sqlite3_file *f, int op, void *arg)
{
    CodecFile *c = asCodec(f);
    if (op == SQLITE_FCNTL_PRAGMA && c->role == FileRole::MainDb) {
        auto **args = static_cast<char **>(arg);
        int rc = runKeyPragma(c, args);
        if (rc == SQLITE_NOTFOUND && c->state)
            rc = guardKeyedPragma(args);
        if (rc != SQLITE_NOTFOUND)
            return rc;
    }
    return c->real->pMethods->xFileControl(c->real, op, arg);
}

int ioSectorSize(sqlite3_file *f)
{
    return realMethods(f)->xSectorSize(asCodec(f)->real);
}

int ioDeviceCharacteristics(sqlite3_file *f)
{
    return realMethods(f)->xDeviceCharacteristics(asCodec(f)->real);
}

int ioShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **out)
{
    const sqlite3_io_methods *m = realMethods(f);
    return m->iVersion >= 2 ? m->xShmMap(asCodec(f)->real, region, size, extend, out) : SQLITE_IOERR_SHMMAP;
}

int ioShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    const sqlite3_io_methods *m = realMethods(f);
    return m->iVersion >= 2 ? m->xShmLock(asCodec(f)->real, offset, n, flags) : SQLITE_IOERR_SHMLOCK;
}

void ioShmBarrier(sqlite3_file *f)
{
    const sqlite3_io_methods *m = realMethods(f);
    if (m->iVersion >= 2)
        m->xShmBarrier(asCodec(f)->real);
}

int ioShmUnmap(sqlite3_file *f, int deleteFlag)
{
    const sqlite3_io_methods *m = realMethods(f);
    return m->iVersion >= 2 ? m->xShmUnmap(asCodec(f)->real, deleteFlag) : SQLITE_OK;
}

int ioFetch(sqlite3_file *f, sqlite3_int64 offset, int amount, void **out)
{
    CodecFile *c = asCodec(f);
    const sqlite3_io_methods *m = c->real->pMethods;
    // A mapped page would reach the engine enciphered: a keyed file is never
    // mapped, and the engine falls back to reading it.
    if (c->codec() || m->iVersion < 3) {
        *out = nullptr;
        return SQLITE_OK;
    }
    return m->xFetch(c->real, offset, amount, out);
}

int ioUnfetch(sqlite3_file *f, sqlite3_int64 offset, void *page)
{
    CodecFile *c = asCodec(f);
    const sqlite3_io_methods *m = c->real->pMethods;
    return m->iVersion >= 3 ? m->xUnfetch(c->real, offset, page) : SQLITE_OK;
}

int vfsOpen(sqlite3_vfs *, const char *name, sqlite3_file *f, int flags, int *outFlags)
{
    if (auto &hook = testhooks::detail::openHook())
        hook(flags, name);
    auto *c = new (f) CodecFile();
    // The engine's sqlite3_file is the codec file itself. The type holds
    // owning members, so offsetof cannot check this at compile time.
    assert(static_cast<void *>(&c->base) == static_cast<void *>(f));
    c->base.pMethods = nullptr;
    c->real = reinterpret_cast<sqlite3_file *>(reinterpret_cast<char *>(f) + realOffset());
    c->real->pMethods = nullptr;
    c->role = roleOf(flags);
    if ((c->role == FileRole::Journal || c->role == FileRole::Wal) && name) {
        sqlite3_file *main = sqlite3_database_file_object(name);
        if (main && main->pMethods == &g_methods)
            c->mainFile = asCodec(main);
    }
    // Frame checksums of a log chain over the plain images, so a keyed
    // database is kept out of WAL mode altogether.
    if (c->role == FileRole::Wal && c->codec()) {
        c->~CodecFile();
        return SQLITE_CANTOPEN;
    }
    const int rc = g_platform->xOpen(g_platform, name, c->real, flags, outFlags);
    if (c->real->pMethods) {
        c->base.pMethods = &g_methods;
    } else {
        c->~CodecFile();
        f->pMethods = nullptr;
    }
    return rc;
}

int vfsDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return g_platform->xDelete(g_platform, name, syncDir);
}

int vfsAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return g_platform->xAccess(g_platform, name, flags, out);
}

int vfsFullPathname(sqlite3_vfs *, const char *name, int n, char *out)
{
    return g_platform->xFullPathname(g_platform, name, n, out);
}

void *vfsDlOpen(sqlite3_vfs *, const char *name)
{
    return g_platform->xDlOpen(g_platform, name);
}

void vfsDlError(sqlite3_vfs *, int n, char *out)
{
    g_platform->xDlError(g_platform, n, out);
}

void (*vfsDlSym(sqlite3_vfs *, void *handle, const char *symbol))(void)
{
    return g_platform->xDlSym(g_platform, handle, symbol);
}

void vfsDlClose(sqlite3_vfs *, void *handle)
{
    g_platform->xDlClose(g_platform, handle);
}

int vfsRandomness(sqlite3_vfs *, int n, char *out)
{
    return g_platform->xRandomness(g_platform, n, out);
}

int vfsSleep(sqlite3_vfs *, int micros)
{
    return g_platform->xSleep(g_platform, micros);
}

int vfsCurrentTime(sqlite3_vfs *, double *out)
{
    return g_platform->xCurrentTime(g_platform, out);
}

int vfsGetLastError(sqlite3_vfs *, int n, char *out)
{
    return g_platform->xGetLastError ? g_platform->xGetLastError(g_platform, n, out) : 0;
}

int vfsCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return g_platform->xCurrentTimeInt64(g_platform, out);
}

int vfsSetSystemCall(sqlite3_vfs *, const char *name, sqlite3_syscall_ptr call)
{
    return g_platform->xSetSystemCall(g_platform, name, call);
}

sqlite3_syscall_ptr vfsGetSystemCall(sqlite3_vfs *, const char *name)
{
    return g_platform->xGetSystemCall(g_platform, name);
}

const char *vfsNextSystemCall(sqlite3_vfs *, const char *name)
{
    return g_platform->xNextSystemCall(g_platform, name);
}

// Runs as every connection opens: ties its main database file to it, so
// that pragmas reaching the file can act on the connection.
int linkConnection(sqlite3 *db, const char **, const sqlite3_api_routines *)
{
    if (CodecFile *main = mainCodecFile(db)) {
        main->db = db;
        installTempStoreGuard(db, main);
    }
    return SQLITE_OK;
}

void registerVfs()
{
    g_platform = sqlite3_vfs_find(nullptr);
    if (!g_platform)
        return;

    g_methods = sqlite3_io_methods{};
    g_methods.iVersion = 3;
    g_methods.xClose = ioClose;
    g_methods.xRead = ioRead;
    g_methods.xWrite = ioWrite;
    g_methods.xTruncate = ioTruncate;
    g_methods.xSync = ioSync;
    g_methods.xFileSize = ioFileSize;
    g_methods.xLock = ioLock;
    g_methods.xUnlock = ioUnlock;
    g_methods.xCheckReservedLock = ioCheckReservedLock;
    g_methods.xFileControl = ioFileControl;
    g_methods.xSectorSize = ioSectorSize;
    g_methods.xDeviceCharacteristics = ioDeviceCharacteristics;
    g_methods.xShmMap = ioShmMap;
    g_methods.xShmLock = ioShmLock;
    g_methods.xShmBarrier = ioShmBarrier;
    g_methods.xShmUnmap = ioShmUnmap;
    g_methods.xFetch = ioFetch;
    g_methods.xUnfetch = ioUnfetch;

    g_vfs = sqlite3_vfs{};
    g_vfs.iVersion = g_platform->iVersion < 3 ? g_platform->iVersion : 3;
    g_vfs.szOsFile = realOffset() + g_platform->szOsFile;
    g_vfs.mxPathname = g_platform->mxPathname;
    g_vfs.zName = "torvik-codec";
    g_vfs.xOpen = vfsOpen;
    g_vfs.xDelete = vfsDelete;
    g_vfs.xAccess = vfsAccess;
    g_vfs.xFullPathname = vfsFullPathname;
    g_vfs.xDlOpen = vfsDlOpen;
    g_vfs.xDlError = vfsDlError;
    g_vfs.xDlSym = vfsDlSym;
    g_vfs.xDlClose = vfsDlClose;
    g_vfs.xRandomness = vfsRandomness;
    g_vfs.xSleep = vfsSleep;
    g_vfs.xCurrentTime = vfsCurrentTime;
    g_vfs.xGetLastError = vfsGetLastError;
    if (g_vfs.iVersion >= 2)
        g_vfs.xCurrentTimeInt64 = vfsCurrentTimeInt64;
    if (g_vfs.iVersion >= 3) {
        g_vfs.xSetSystemCall = vfsSetSystemCall;
        g_vfs.xGetSystemCall = vfsGetSystemCall;
        g_vfs.xNextSystemCall = vfsNextSystemCall;
    }
    sqlite3_vfs_register(&g_vfs, 1);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(linkConnection));
}

} // namespace

void installCodecVfs()
{
    static std::once_flag once;
    std::call_once(once, registerVfs);
}

CodecFile *mainCodecFile(sqlite3 *db)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file)
        return nullptr;
    return file->pMethods == &g_methods ? asCodec(file) : nullptr;
}

void pinLock(CodecFile *file)
{
    file->lockPinned = true;
}

int unpinLock(CodecFile *file)
{
    if (!file->lockPinned)
        return SQLITE_OK;
    file->lockPinned = false;
    if (file->engineLock > SQLITE_LOCK_SHARED)
        return SQLITE_OK;
    return file->real->pMethods->xUnlock(file->real, file->engineLock);
}

} // namespace torvik::codec
