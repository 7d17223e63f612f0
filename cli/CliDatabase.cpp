#include "cli/CliDatabase.h"

#include "cli/Failure.h"
#include "codec/EngineMessage.h"
#include "dataset/Errors.h"
#include "dataset/SqliteDB.h"
#include "text/Gbk.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace torvik::cli {

namespace {

// The smallest database is one page of 512 bytes.
constexpr qint64 kSmallestDatabase = 512;

} // namespace

struct CliDatabase::Connection {
    dataset::TSqliteDB db;
};

CliDatabase::CliDatabase(const std::string &path, const std::optional<std::string> &utf8Password)
    : connection_(std::make_unique<Connection>()), path_(path)
{
    dataset::TSqliteDB &db = connection_->db;
    // Pass-through text, as in the editor: statements and stored values are
    // GBK bytes. The same busy time-out as the editor's window.
    db.setCharacterEncoding("STANDARD");
    db.setTimeOut(5000);
    db.setMustExist(true);
    // Relative names resolve against the current folder; unlike the editor's
    // connection, no ".DB" is added to a name without an extension.
    db.setDatabasePath(QFileInfo(QString::fromUtf8(path.c_str())).absoluteFilePath());
    try {
        db.Open();
    } catch (const dataset::EDatasetLayerError &e) {
        fail(text::gbkToUtf8(e.message()));
    }
    if (utf8Password && !utf8Password->empty() && !db.SetKey(gbkBytes(*utf8Password)))
        failWithEngineError();
}

CliDatabase::~CliDatabase() = default;

sqlite3 *CliDatabase::handle() const
{
    return connection_->db.Handle();
}

dataset::TSqliteDB &CliDatabase::connection() const
{
    return connection_->db;
}

void CliDatabase::requireReadable()
{
    const qint64 size = QFileInfo(QString::fromUtf8(path_.c_str())).size();
    if (size < kSmallestDatabase)
        throw Failure(path_ + " is not a database: it holds " + std::to_string(size) +
                      (size == 1 ? " byte" : " bytes"));
    if (connection_->db.NotADatabase())
        fail("file is encrypted or is not a database");
}

void CliDatabase::rekey(const std::string &utf8Password)
{
    if (!connection_->db.Rekey(gbkBytes(utf8Password)))
        failWithEngineError();
}

sqlite3_stmt *CliDatabase::prepare(const char *sql, const char **tail) const
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(handle(), sql, -1, &statement, tail) != SQLITE_OK)
        failWithEngineError();
    return statement;
}

bool CliDatabase::runToEnd(sqlite3_stmt *statement, const std::function<void(sqlite3_stmt *)> &onRow) const
{
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        onRow(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

void CliDatabase::failWithEngineError() const
{
    fail(codec::engineErrorMessage(handle()));
}

void CliDatabase::fail(const std::string &message) const
{
    const std::string wal = path_ + "-wal";
    if (QFileInfo::exists(QString::fromUtf8(wal.c_str())))
        throw Failure(message + "\n" + wal +
                      " lies beside the file: a write-ahead log left by another program, which the\n"
                      "editor's files do not use. Let the program that wrote it finish with the file,\n"
                      "or move the log away if it is stale, then try again.");
    throw Failure(message);
}

std::string gbkBytes(const std::string &utf8)
{
    try {
        return text::utf8ToGbk(utf8);
    } catch (const text::GbkEncodingError &e) {
        throw Failure(e.message().toStdString());
    }
}

} // namespace torvik::cli
