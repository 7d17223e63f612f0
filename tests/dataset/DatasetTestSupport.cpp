#include "DatasetTestSupport.h"

#include <sqlite3.h>

#include <stdexcept>

namespace torvik::test {

namespace {

struct Db {
    explicit Db(const QString &path)
    {
        if (sqlite3_open(path.toUtf8().constData(), &handle) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path.toStdString());
    }
    ~Db() { sqlite3_close(handle); }
    sqlite3 *handle = nullptr;
};

} // namespace

void execRaw(const QString &path, const std::string &sql)
{
    Db db(path);
    char *error = nullptr;
    if (sqlite3_exec(db.handle, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "error";
        sqlite3_free(error);
        throw std::runtime_error(message + " in " + sql);
    }
}

std::vector<std::vector<std::string>> queryRaw(const QString &path, const std::string &sql, bool withTypes)
{
    Db db(path);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db.handle)) + " in " + sql);
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const int type = sqlite3_column_type(stmt, i);
            std::string value;
            if (type == SQLITE_NULL) {
                value = "NULL";
            } else {
                const auto *p = static_cast<const char *>(sqlite3_column_blob(stmt, i));
                value.assign(p ? p : "", size_t(sqlite3_column_bytes(stmt, i)));
            }
            if (withTypes) {
                static const char *names[] = {"", "integer", "real", "text", "blob", "null"};
                value = std::string(names[type]) + ":" + value;
            }
            row.push_back(value);
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
}

std::string queryValue(const QString &path, const std::string &sql, bool withType)
{
    const auto rows = queryRaw(path, sql, withType);
    if (rows.empty() || rows[0].empty())
        throw std::runtime_error("no value for " + sql);
    return rows[0][0];
}

} // namespace torvik::test
