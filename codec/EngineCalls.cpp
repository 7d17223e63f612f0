#include "codec/EngineCalls.h"

#include "codec/CodecFile.h"

namespace torvik::codec {

namespace {

void raiseMessage(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_result_error(ctx, reinterpret_cast<const char *>(sqlite3_value_text(argv[0])), -1);
    sqlite3_result_error_code(ctx, sqlite3_value_int(argv[1]));
}

} // namespace

int execSql(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

int querySingle(sqlite3 *db, const char *sql, std::string &value)
{
    value.clear();
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        if (const unsigned char *text = sqlite3_column_text(stmt, 0))
            value = reinterpret_cast<const char *>(text);
        rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
        rc = SQLITE_OK;
    }
    const int finished = sqlite3_finalize(stmt);
    return rc != SQLITE_OK ? rc : finished;
}

bool hasActiveStatement(sqlite3 *db)
{
    for (sqlite3_stmt *stmt = sqlite3_next_stmt(db, nullptr); stmt; stmt = sqlite3_next_stmt(db, stmt))
        if (sqlite3_stmt_busy(stmt))
            return true;
    return false;
}

int reportError(sqlite3 *db, CodecFile *main, int code, const std::string &message)
{
    bool unregistered = false;
    bool &registered = main ? main->errorFunctionRegistered : unregistered;
    // Registered once per connection: replacing a function would expire the
    // connection's prepared statements.
    if (!registered)
        registered = sqlite3_create_function_v2(db, "torvik_codec_error", 2, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr,
                                                raiseMessage, nullptr, nullptr, nullptr)
                     == SQLITE_OK;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT torvik_codec_error(?1, ?2)", -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, message.c_str(), int(message.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 2, code);
        sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    return code;
}

} // namespace torvik::codec
