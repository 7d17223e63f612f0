#include "tests/codec/CodecTestDb.h"

#include "codec/CodecVfs.h"
#include "codec/EngineMessage.h"
#include "codec/SqliteKey.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace torvik::test {

TestDb::TestDb(const QString &path, const std::string &password, const char *uriParams)
{
    codec::installCodecVfs();
    std::string name = path.toStdString();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (uriParams) {
        name = "file:" + name + "?" + uriParams;
        flags |= SQLITE_OPEN_URI;
    }
    if (sqlite3_open_v2(name.c_str(), &db_, flags, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + name + ": " + sqlite3_errmsg(db_));
    if (!password.empty()) {
        EXPECT_EQ(key(password), SQLITE_OK);
    }
}

TestDb::~TestDb()
{
    sqlite3_close_v2(db_);
}

std::string TestDb::errmsg() const
{
    return codec::engineErrorMessage(db_);
}

int TestDb::exec(const std::string &sql)
{
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
}

Rows TestDb::rows(const std::string &sql, int *rcOut)
{
    Rows out;
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
            row.push_back(text ? std::string(text, size_t(sqlite3_column_bytes(stmt, c))) : "<null>");
        }
        out.push_back(std::move(row));
        rc = SQLITE_OK;
    }
    if (rc == SQLITE_DONE)
        rc = SQLITE_OK;
    sqlite3_finalize(stmt);
    if (rcOut)
        *rcOut = rc;
    return out;
}

std::string TestDb::single(const std::string &sql, int *rc)
{
    const Rows r = rows(sql, rc);
    return r.empty() || r[0].empty() ? std::string() : r[0][0];
}

int TestDb::key(const std::string &password)
{
    return sqlite3_key(db_, password.data(), int(password.size()));
}

int TestDb::rekey(const std::string &password)
{
    return sqlite3_rekey(db_, password.data(), int(password.size()));
}

std::vector<std::string> gameRows(TestDb &db)
{
    std::vector<std::string> out;
    for (const char *table : {"StdItems", "Monster", "Magic", "Evil", "TaoistPet"}) {
        int rc = SQLITE_OK;
        for (const Row &row : db.rows(std::string("SELECT rowid, * FROM ") + table + " ORDER BY rowid", &rc)) {
            std::string line = table;
            for (const std::string &v : row)
                line += "|" + v;
            out.push_back(line);
        }
        EXPECT_EQ(rc, SQLITE_OK) << table << ": " << db.errmsg();
    }
    return out;
}

std::vector<std::string> gameRowsOfFile(const QString &path, const std::string &password)
{
    TestDb db(path, password);
    return gameRows(db);
}

QString writeDecipheredCopy(const ScratchDir &dir, const std::string &fileBytes, const std::string &password)
{
    const QString deciphered = dir.path("deciphered.db");
    writeFileBytes(deciphered, decipherFile(fileBytes, password));
    return deciphered;
}

QString plainGameCopy(const ScratchDir &dir, int pageSize, const QString &name)
{
    const QString path = dir.copyFixture("game-plain.db", name);
    TestDb db(path);
    EXPECT_EQ(db.exec("PRAGMA page_size=" + std::to_string(pageSize) + "; VACUUM"), SQLITE_OK) << db.errmsg();
    EXPECT_EQ(db.single("PRAGMA page_size"), std::to_string(pageSize));
    return path;
}

QStringList sideFiles(const QString &path)
{
    const QFileInfo info(path);
    QStringList out;
    for (const QString &name : info.dir().entryList(QDir::Files))
        if (name.startsWith(info.fileName()) && name != info.fileName())
            out << name;
    return out;
}

} // namespace torvik::test
