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
    // Ending the empty transaction with a rollback keeps the lock at RESERVED
    // (readers go on); a commit would first raise it to EXCLUSIVE.
    rc = execSql(db_, "ROLLBACK");
    if (rc != SQLITE_OK)
        release();
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
