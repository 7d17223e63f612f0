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
    if (utf8Password && !utf8Password->empty() && !db.SetKey(passwordBytes(*utf8Password)))
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
    if (!connection_->db.Rekey(passwordBytes(utf8Password)))
        failWithEngineError();
}

void CliDatabase::failWithEngineError() const
{
    throw Failure(codec::engineErrorMessage(handle()));
}

std::string passwordBytes(const std::string &utf8Password)
{
    try {
        return text::utf8ToGbk(utf8Password);
    } catch (const text::GbkEncodingError &e) {
        throw Failure(e.message().toStdString());
    }
}

} // namespace torvik::cli
