#include "cli/CliDatabase.h"

#include "cli/Failure.h"
#include "codec/EngineMessage.h"
#include "dataset/Errors.h"
#include "dataset/SqliteDB.h"
#include "text/Gbk.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace torvik::cli {

struct CliDatabase::Connection {
    dataset::TSqliteDB db;
};

CliDatabase::CliDatabase(const std::string &path, const std::optional<std::string> &utf8Password)
    : connection_(std::make_unique<Connection>())
{
    dataset::TSqliteDB &db = connection_->db;
    // Pass-through text, as in the editor: statements and stored values are
    // GBK bytes.
    db.setCharacterEncoding("STANDARD");
    db.setMustExist(true);
    const QString file = QString::fromUtf8(path.c_str());
    // Relative names resolve against the current folder; as in the editor, a
    // name without an extension gets the connection's default ".DB".
    db.setDatabase(QFileInfo(file).absoluteFilePath());
    try {
        db.Open();
    } catch (const dataset::EDatasetLayerError &e) {
        throw Failure(e.message());
    }
    if (utf8Password && !utf8Password->empty() && !db.SetKey(gbkBytes(*utf8Password)))
        failWithEngineError();
}

CliDatabase::~CliDatabase() = default;

sqlite3 *CliDatabase::handle() const
{
    return connection_->db.Handle();
}

void CliDatabase::requireReadable()
{
    if (connection_->db.NotADatabase())
        throw Failure("file is encrypted or is not a database");
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
    throw Failure(codec::engineErrorMessage(handle()));
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
