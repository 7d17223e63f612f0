// The dataset layer against plain engine loops on a million-row item table:
// opening it into the cache, the memory the cache takes, and posting edited
// rows one UPDATE each.

#include "bench/BenchSupport.h"
#include "dataset/SqliteTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

using namespace torvik;

namespace {

constexpr int kRows = 1000000;
constexpr int kPostedRows = 100000;

double baselineOpen(const std::string &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    bench::Stopwatch clock;
    sqlite3_stmt *stmt = nullptr;
    bench::check(sqlite3_prepare_v2(db, "select *, rowid as rowid from StdItems", -1, &stmt, nullptr), db, "prepare");
    size_t bytes = 0;
    bench::readEveryColumnAsText(stmt, bytes);
    sqlite3_finalize(stmt);
    const double seconds = clock.seconds();
    sqlite3_close(db);
    std::printf("  (baseline read checksum %zu)\n", bytes);
    return seconds;
}

std::string updateText(const dataset::TSqliteTable &table)
{
    std::string sql = "update StdItems set \r\n";
    for (int i = 0; i < table.FieldCount(); ++i) {
        const std::string &name = table.Fields()[i]->FieldName();
        sql += name + "=:" + name + (i + 1 < table.FieldCount() ? "," : " ");
    }
    return sql + "\r\n where rowid=?";
}

double baselinePosts(const std::string &path, const std::string &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    bench::Stopwatch clock;
    bench::check(sqlite3_exec(db, "begin exclusive transaction", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *stmt = nullptr;
    bench::check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), db, "prepare update");
    for (int r = 0; r < kPostedRows; ++r) {
        sqlite3_bind_int(stmt, 1, r);
        const std::string name = "\xCD\xC0\xC1\xFA" + std::to_string(r);
        sqlite3_bind_text(stmt, 2, name.c_str(), int(name.size()), SQLITE_TRANSIENT);
        for (int c = 3; c <= bench::kStdItemsColumns; ++c) {
            if (c == 29 || c == 30)
                sqlite3_bind_null(stmt, c);
            else
                sqlite3_bind_int(stmt, c, (r * 31 + c * 7) % 1000 + 1);
        }
        sqlite3_bind_int(stmt, bench::kStdItemsColumns + 1, r + 1);
        bench::check(sqlite3_step(stmt), db, "update");
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    bench::check(sqlite3_exec(db, "commit transaction", nullptr, nullptr, nullptr), db, "commit");
    const double seconds = clock.seconds();
    sqlite3_close(db);
    return seconds;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("items.db");
    const std::string file = path.toStdString();
    bench::writeItemsFile(file, kRows);
    const long long fileBytes = QFileInfo(path).size();
    std::printf("items table: %d rows, %d columns, file %.1f MB\n", kRows, bench::kStdItemsColumns, fileBytes / 1e6);

    const double plainOpen = baselineOpen(file); // also warms the file into the page cache
    const double plainOpenAgain = baselineOpen(file);
    const double plain = std::min(plainOpen, plainOpenAgain);

    dataset::TSqliteDB db;
    db.setDatabase(path);
    db.setCharacterEncoding("STANDARD");
    db.Open();
    dataset::TSqliteTable table;
    table.setConnection(&db);
    table.setTableName("StdItems");
    const long long residentBefore = bench::residentBytes();
    bench::Stopwatch openClock;
    table.Open();
    const double ours = openClock.seconds();
    const long long growth = bench::residentBytes() - residentBefore;
    std::printf("open: plain loop %.3f s, TSqliteTable %.3f s (%d rows cached)\n", plain, ours, table.RecordCount());
    bench::printRatio("dataset_open_time", ours / plain, 1.3);
    std::printf("memory: cache resident growth %.1f MB, file %.1f MB\n", growth / 1e6, fileBytes / 1e6);
    bench::printRatio("dataset_cache_memory", double(growth) / double(fileBytes), 2.0);

    // Commits wait for the disk, so each side runs three times, in turns,
    // and keeps its best time.
    const std::string sql = updateText(table);
    double plainPosts = 1e9;
    double oursPosts = 1e9;
    for (int round = 0; round < 3; ++round) {
        db.Close(); // the file to itself while the plain loop runs
        plainPosts = std::min(plainPosts, baselinePosts(file, sql));
        db.Open();
        bench::Stopwatch postClock;
        db.BeginExclusive();
        int n = 0;
        for (table.First(); n < kPostedRows && !table.Eof(); table.Next(), ++n) {
            table.Edit();
            table.FieldByName("Price")->setAsInteger(n + round);
            table.Post();
        }
        db.Commit();
        oursPosts = std::min(oursPosts, postClock.seconds());
    }
    table.Close();
    db.Close();
    std::printf("posts: %d rows in one transaction, plain prepared UPDATE %.3f s, TSqliteTable %.3f s (best of 3)\n",
                kPostedRows, plainPosts, oursPosts);
    bench::printRatio("dataset_post_time", oursPosts / plainPosts, 1.5);
    return 0;
}
