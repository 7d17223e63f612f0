// Full-scan cost of the page codec: the same item table read from a plain
// and from an encrypted copy of one database, every column of every row as
// text, each scan on a fresh connection so every page comes from the file.

#include "bench/BenchSupport.h"
#include "codec/CodecVfs.h"
#include "codec/SqliteKey.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace torvik::bench;

namespace {

constexpr int kRows = 100000;
constexpr int kRounds = 7;
const char kPassword[] = "bench-password";

sqlite3 *openDb(const std::string &path, const char *password)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db, "open");
    if (password)
        check(sqlite3_key(db, password, int(sizeof kPassword - 1)), db, "key");
    return db;
}

// Answers the scan time in seconds; `checksum` keeps the reads from being
// optimised away and shows both copies hold the same data.
double scan(const std::string &path, const char *password, long long &checksum)
{
    sqlite3 *db = openDb(path, password);
    Stopwatch clock;
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT * FROM StdItems", -1, &stmt, nullptr), db, "prepare");
    long long sum = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < kStdItemsColumns; ++c)
            if (const unsigned char *text = sqlite3_column_text(stmt, c))
                sum += text[0];
    }
    check(rc, db, "step");
    sqlite3_finalize(stmt);
    const double seconds = clock.seconds();
    sqlite3_close(db);
    checksum = sum;
    return seconds;
}

} // namespace

int main()
{
    torvik::codec::installCodecVfs();
    QTemporaryDir dir;
    const std::string plain = QDir(dir.path()).filePath("plain.db").toStdString();
    const std::string encrypted = QDir(dir.path()).filePath("encrypted.db").toStdString();

    {
        sqlite3 *db = openDb(plain, nullptr);
        check(sqlite3_exec(db, "PRAGMA page_size=1024", nullptr, nullptr, nullptr), db, "page size");
        fillStdItems(db, kRows);
        sqlite3_close(db);
    }
    QFile::copy(QString::fromStdString(plain), QString::fromStdString(encrypted));
    {
        sqlite3 *db = openDb(encrypted, nullptr);
        check(sqlite3_rekey(db, kPassword, int(sizeof kPassword - 1)), db, "encrypt");
        sqlite3_close(db);
    }

    double bestPlain = 1e9, bestEncrypted = 1e9;
    long long plainSum = 0, encryptedSum = 0;
    for (int round = 0; round < kRounds; ++round) {
        bestPlain = std::min(bestPlain, scan(plain, nullptr, plainSum));
        bestEncrypted = std::min(bestEncrypted, scan(encrypted, kPassword, encryptedSum));
    }
    if (plainSum != encryptedSum) {
        std::fprintf(stderr, "the copies differ: %lld vs %lld\n", plainSum, encryptedSum);
        return 1;
    }
    const double megabytes = double(QFile(QString::fromStdString(plain)).size()) / 1e6;
    std::printf("full scan of %d rows x %d columns (%.1f MB, 1024-byte pages), best of %d\n", kRows,
                kStdItemsColumns, megabytes, kRounds);
    std::printf("plain      %8.1f ms\n", bestPlain * 1000);
    std::printf("encrypted  %8.1f ms\n", bestEncrypted * 1000);
    printRatio("encrypted-scan", bestEncrypted / bestPlain, 1.3);
    return 0;
}
