#include "codec/Rekey.h"

#include "codec/CodecFile.h"
#include "codec/CodecTestHooks.h"
#include "codec/EncryptionPreparation.h"
#include "codec/EngineCalls.h"
#include "codec/ScopedWriteLock.h"

namespace torvik::codec {

namespace {

// The engine cannot be told to rewrite every page, but copying a database
// over itself does: the pages go out to a private in-memory copy (given the
// encrypted format's page size on the way), and the copy comes back in one
// write transaction of the main database, which journals each old image. The
// old pages are read under readKey, the new ones written under writeKey. The
// write lock is held from before the first copy until after the second, so
// nothing another connection commits can fall between them.
class Rekeying {
public:
    Rekeying(sqlite3 *db, CodecFile *main, KeyRef newKey) : db_(db), main_(main), newKey_(std::move(newKey)) {}
    ~Rekeying() { sqlite3_close(memory_); }

    int run();

private:
    int rewrite(const std::string &journalMode);
    int installWriteKey();
    int copyBack();
    void revertWriteKey();
    void finish(bool succeeded);
    int switchEmptyDatabase();

    sqlite3 *db_;
    CodecFile *main_;
    KeyRef newKey_;
    sqlite3 *memory_ = nullptr;
};

int Rekeying::run()
{
    if (!sqlite3_get_autocommit(db_) || hasActiveStatement(db_))
        return reportError(db_, main_, SQLITE_ERROR,
                           "cannot change the encryption of a database while a transaction or statement is open");
    std::string mode;
    int rc = querySingle(db_, "PRAGMA main.journal_mode", mode);
    if (rc != SQLITE_OK)
        return rc;
    // Only a journal on disk lets a failed or interrupted rewrite roll back.
    if (sqlite3_stricmp(mode.c_str(), "off") == 0 || sqlite3_stricmp(mode.c_str(), "memory") == 0)
        return reportError(db_, main_, SQLITE_ERROR,
                           "cannot change the encryption of a database whose journal_mode is " + mode);
    // A persisted journal would keep the old page images after the commit:
    // in the clear, when the file was plain. The rewrite's journal is
    // truncated instead.
    if (sqlite3_stricmp(mode.c_str(), "persist") != 0)
        return rewrite(mode);
    rc = execSql(db_, "PRAGMA main.journal_mode=TRUNCATE");
    if (rc != SQLITE_OK)
        return rc;
    rc = rewrite(mode);
    const std::string message = sqlite3_errmsg(db_);
    const int restored = execSql(db_, "PRAGMA main.journal_mode=PERSIST");
    if (rc != SQLITE_OK)
        return reportError(db_, main_, rc, message);
    return restored;
}

int Rekeying::rewrite(const std::string &journalMode)
{
    if (!main_->state) {
        if (const int rc = prepareForEncryption(db_, main_, journalMode); rc != SQLITE_OK)
            return rc;
    }
    std::string pages;
    int rc = querySingle(db_, "PRAGMA main.page_count", pages);
    if (rc != SQLITE_OK)
        return rc;
    if (pages == "0")
        return switchEmptyDatabase();

    ScopedWriteLock lock(db_, main_);
    rc = lock.acquire();
    if (rc == SQLITE_OK)
        rc = copyToMemory(db_, main_, memory_);
    if (rc != SQLITE_OK)
        return rc;
    if (auto &hook = testhooks::detail::rekeyCopyHook())
        hook();
    rc = installWriteKey();
    if (rc != SQLITE_OK)
        return rc;
    rc = copyBack();
    if (rc == SQLITE_OK) {
        finish(true);
        rc = lock.release();
        // A connection learns a new page size when it next reads the file's
        // first page: now, so that it reports the file as it is at once.
        return rc == SQLITE_OK ? execSql(db_, "SELECT count(*) FROM sqlite_master") : rc;
    }
    const std::string message = sqlite3_errmsg(db_);
    revertWriteKey();
    lock.release();
    // A failed commit can leave the engine in its error state with the
    // journal still on disk; reading now rolls it back, under the old key.
    execSql(db_, "SELECT count(*) FROM sqlite_master");
    finish(false);
    return reportError(db_, main_, rc, message);
}

int Rekeying::installWriteKey()
{
    if (main_->state) {
        main_->state->writeKey = newKey_;
        return SQLITE_OK;
    }
    if (const int rc = prepareKeyedConnection(db_); rc != SQLITE_OK)
        return rc;
    main_->state = std::make_unique<CodecState>(nullptr, newKey_, kEncryptedPageSize);
    return SQLITE_OK;
}

int Rekeying::copyBack()
{
    return copyDatabase(db_, memory_, [this] { revertWriteKey(); });
}

// Before the engine rolls back, so the old images go back under the old key.
void Rekeying::revertWriteKey()
{
    main_->state->settleKeys(main_->state->readKey);
}

void Rekeying::finish(bool succeeded)
{
    CodecState &st = *main_->state;
    st.settleKeys(succeeded ? st.writeKey : st.readKey);
    if (!st.readKey)
        main_->state.reset();
}

// A database without pages has nothing to rewrite: its first page will be
// written under the new key.
int Rekeying::switchEmptyDatabase()
{
    if (!main_->state) {
        if (const int rc = prepareKeyedConnection(db_); rc != SQLITE_OK)
            return rc;
        main_->state = std::make_unique<CodecState>(newKey_, newKey_, kEncryptedPageSize);
        return SQLITE_OK;
    }
    main_->state->settleKeys(newKey_);
    if (!newKey_)
        main_->state.reset();
    return SQLITE_OK;
}

} // namespace

int rekeyDatabase(sqlite3 *db, CodecFile *main, KeyRef newKey)
{
    return Rekeying(db, main, std::move(newKey)).run();
}

int prepareKeyedConnection(sqlite3 *db)
{
    return execSql(db, "PRAGMA main.page_size=1024; PRAGMA temp_store=MEMORY");
}

} // namespace torvik::codec
