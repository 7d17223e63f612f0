#pragma once

// A thin connection for codec tests: opened through the codec VFS, with
// statements run and their rows read back as text.

#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <string>
#include <vector>

namespace torvik::test {

class ScratchDir;

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

class TestDb {
public:
    // Opens (creating when missing) and, for a non-empty password, keys it.
    explicit TestDb(const QString &path, const std::string &password = {}, const char *uriParams = nullptr);
    ~TestDb();
    TestDb(const TestDb &) = delete;
    TestDb &operator=(const TestDb &) = delete;

    sqlite3 *handle() const { return db_; }
    int exec(const std::string &sql);
    // Rows of a query, NULL as "<null>"; the result code lands in *rc.
    Rows rows(const std::string &sql, int *rc = nullptr);
    std::string single(const std::string &sql, int *rc = nullptr);
    std::string errmsg() const;
    int key(const std::string &password);
    int rekey(const std::string &password);

private:
    sqlite3 *db_ = nullptr;
};

// Every row of the five game tables with its row id, one text per row.
std::vector<std::string> gameRows(TestDb &db);
std::vector<std::string> gameRowsOfFile(const QString &path, const std::string &password = {});

// The file's bytes deciphered by the independent reading of the format and
// written to "deciphered.db" in dir, for a plain connection to open; answers
// that file's path.
QString writeDecipheredCopy(const ScratchDir &dir, const std::string &fileBytes, const std::string &password);

// A plain copy of the game fixture rebuilt with pages of `pageSize` bytes,
// at `name` in dir.
QString plainGameCopy(const ScratchDir &dir, int pageSize, const QString &name = "plain.db");

// The files beside `path` whose names continue its name: journals, logs and
// any copy made beside it.
QStringList sideFiles(const QString &path);

inline const char *kNotADatabase = "file is encrypted or is not a database";

} // namespace torvik::test
