#include "codec/ScopedWriteLock.h"

#include "codec/CodecFile.h"
#include "codec/EngineCalls.h"

namespace torvik::codec {

int ScopedWriteLock::acquire()
{
    int rc = execSql(db_, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return rc;
    pinLock(main_);
    held_ = true;
    rc = execSql(db_, "COMMIT");
    if (rc != SQLITE_OK) {
        execSql(db_, "ROLLBACK");
        release();
    }
    return rc;
}

int ScopedWriteLock::release()
{
    if (!held_)
        return SQLITE_OK;
    held_ = false;
    return unpinLock(main_);
}

} // namespace torvik::codec
