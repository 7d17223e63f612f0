#pragma once

// Shared pieces of the benchmarks: the engine's 39-column item table, a
// generator of plausible rows, a wall clock and the resident set size.

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace torvik::bench {

inline const char *kStdItemsSchema =
    "CREATE TABLE StdItems (Idx INTEGER, Name CHAR(14), Stdmode INTEGER, Shape INTEGER, Weight INTEGER, "
    "Anicount INTEGER, Source INTEGER, Reserved INTEGER, Looks INTEGER, DuraMax INTEGER, Ac INTEGER, Ac2 INTEGER, "
    "Mac INTEGER, Mac2 INTEGER, Dc INTEGER, Dc2 INTEGER, Mc INTEGER, Mc2 INTEGER, Sc INTEGER, Sc2 INTEGER, "
    "Need INTEGER, NeedLevel INTEGER, Price INTEGER, Stock INTEGER DEFAULT 0, NeedRealm INTEGER, "
    "Special INTEGER DEFAULT 0, Convert INTEGER DEFAULT 0, Reflect INTEGER DEFAULT 0, Jin INTEGER, Mu INTEGER, "
    "Shui INTEGER DEFAULT 0, Huo INTEGER DEFAULT 0, Tu INTEGER DEFAULT 0, BaoHit INTEGER DEFAULT 0, "
    "DerateAc INTEGER DEFAULT 0, DerateMac INTEGER DEFAULT 0, DerateAnti INTEGER DEFAULT 0, "
    "DerateAntiMagic INTEGER DEFAULT 0, Derate INTEGER DEFAULT 0)";

constexpr int kStdItemsColumns = 39;

inline void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

// Fills an open connection's database with the item table and `rows` rows.
// Names are GBK ("屠龙" plus a number), numbers vary per row so that pages
// do not compress into sameness.
inline void fillStdItems(sqlite3 *db, int rows)
{
    check(sqlite3_exec(db, kStdItemsSchema, nullptr, nullptr, nullptr), db, "create");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    std::string sql = "INSERT INTO StdItems VALUES (?";
    for (int i = 1; i < kStdItemsColumns; ++i)
        sql += ",?";
    sql += ")";
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), db, "prepare insert");
    for (int r = 0; r < rows; ++r) {
        sqlite3_bind_int(stmt, 1, r);
        const std::string name = "\xCD\xC0\xC1\xFA" + std::to_string(r);
        sqlite3_bind_text(stmt, 2, name.c_str(), int(name.size()), SQLITE_TRANSIENT);
        for (int c = 3; c <= kStdItemsColumns; ++c) {
            if (c == 29 || c == 30) // Jin and Mu are NULL in the engine's data
                sqlite3_bind_null(stmt, c);
            else
                sqlite3_bind_int(stmt, c, (r * 31 + c * 7) % 1000);
        }
        check(sqlite3_step(stmt), db, "insert");
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
}

// A new database file holding the item table with `rows` rows; `then` runs on
// the open connection before it closes (for a benchmark's own changes).
template <class Then = void (*)(sqlite3 *)>
inline void writeItemsFile(const std::string &file, int rows, Then then = [](sqlite3 *) {})
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(file.c_str(), &db), db, "open");
    fillStdItems(db, rows);
    then(db);
    sqlite3_close(db);
}

// The plain engine loop the datasets are measured against: steps a statement
// to its end and reads every column of every row as text. Answers the rows
// read; the checksum keeps the reads from being optimised away.
inline int readEveryColumnAsText(sqlite3_stmt *stmt, size_t &checksum)
{
    const int columns = sqlite3_column_count(stmt);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (const unsigned char *text = sqlite3_column_text(stmt, c))
                checksum += text[0];
        }
    }
    return rows;
}

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Resident set size of this process in bytes (Linux).
inline long long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

inline void printRatio(const char *name, double ratio, double goal)
{
    std::printf("BENCH %s ratio=%.3f goal=%.2f\n", name, ratio, goal);
    std::fflush(stdout);
}

} // namespace torvik::bench
