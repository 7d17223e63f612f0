#pragma once

// Seams for tests of the codec: watch or fail the I/O that passes through the
// codec VFS, watch which files it opens, and act between the two copies of a
// re-key. Nothing is installed outside tests.

#include "codec/FileRole.h"

#include <sqlite3.h>

#include <functional>

namespace torvik::codec::testhooks {

using codec::FileRole;

struct IoEvent {
    FileRole role;
    bool write;
    sqlite3_int64 offset;
    int amount;
};

// Called before every read and write; anything but SQLITE_OK fails that
// access with the returned code, and the file is not touched.
using IoHook = std::function<int(const IoEvent &)>;
void setIoHook(IoHook hook);

// Called for every file the VFS is asked to open (name may be null).
using OpenHook = std::function<void(int flags, const char *name)>;
void setOpenHook(OpenHook hook);

// Called by sqlite3_rekey after the old pages were read and before the first
// one is written back.
using RekeyHook = std::function<void()>;
void setRekeyCopyHook(RekeyHook hook);

void clearAll();

namespace detail {
IoHook &ioHook();
OpenHook &openHook();
RekeyHook &rekeyCopyHook();
} // namespace detail

} // namespace torvik::codec::testhooks
