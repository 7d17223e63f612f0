#pragma once

// TSqliteDB: the connection component. It owns the engine handle of one
// database file, runs SQL with parameters bound from a field list, begins and
// ends transactions, and turns engine failures into exceptions that carry the
// engine's message and the SQL text.
//
// Properties are read with PropertyName() and written with setPropertyName().
// Texts are the system's 8-bit (GBK) bytes; file paths are QString.

#include "dataset/SqliteComponents.h"
#include "dataset/Statement.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_context;
struct sqlite3_value;
class QCollator;

namespace torvik::dataset {

class TFields;
class TParams;
class TRowReader;
class TStatementCache;
class TSqliteDB;

using TSqliteNotifyEvent = std::function<void(TSqliteDB &)>;
using TSqliteScalarFunction = void (*)(sqlite3_context *, int, sqlite3_value **);

class TSqliteDB : public QObject {
    Q_OBJECT
public:
    explicit TSqliteDB(QObject *owner = nullptr);
    ~TSqliteDB() override;

    int TimeOut() const { return timeOut_; }
    void setTimeOut(int milliseconds);
    const std::string &CharacterEncoding() const { return characterEncoding_; }
    void setCharacterEncoding(const std::string &v) { characterEncoding_ = v; }
    const std::string &TransactionType() const { return transactionType_; }
    void setTransactionType(const std::string &v) { transactionType_ = v; }
    const QString &Database() const { return database_; }
    void setDatabase(const QString &value);
    // The file exactly as given: no default extension, nothing trimmed (for
    // tools that were handed a path).
    void setDatabasePath(const QString &path) { database_ = path; }
    QString DefaultExt() const;
    void setDefaultExt(const QString &v) { defaultExt_ = v; }
    const QString &DefaultDir() const { return defaultDir_; }
    void setDefaultDir(const QString &v) { defaultDir_ = v; }
    const std::string &Version() const { return version_; }
    bool Connected() const { return connected_; }
    void setConnected(bool connected);
    void Open() { setConnected(true); }
    void Close() { setConnected(false); }
    bool MustExist() const { return mustExist_; }
    void setMustExist(bool v) { mustExist_ = v; }
    TSqliteInlineSQL *InlineSQL() const { return inlineSQL_; }
    void setInlineSQL(TSqliteInlineSQL *v) { inlineSQL_ = v; }
    bool ExecuteInlineSQL() const { return executeInlineSQL_; }
    void setExecuteInlineSQL(bool v) { executeInlineSQL_ = v; }
    TSqlitePragma *Pragma() const { return pragma_; }
    void setPragma(TSqlitePragma *v) { pragma_ = v; }
    TSqliteLog *Log() const { return log_; }
    void setLog(TSqliteLog *v) { log_ = v; }

    TSqliteNotifyEvent BeforeConnect;
    TSqliteNotifyEvent AfterConnect;
    TSqliteNotifyEvent BeforeDisconnect;
    TSqliteNotifyEvent AfterDisconnect;
    TSqliteNotifyEvent OnBusy;

    sqlite3 *Handle() const { return handle_; }
    bool Utf8Mode() const { return utf8Mode_; }
    const std::string &LastSQL() const { return lastSQL_; }

    // Runs the statement(s) of sql, binding ":name" parameters from fields.
    // Answers the last engine result code (0 on success).
    int ExecSQL(const std::string &sql, const TFields *fields = nullptr);
    // ExecSQL of a statement that addresses one row by its rowid. `sql` is the
    // statement as written (quoted in errors); `shape` is the same text with
    // "?" in place of the quoted row id, compiled once for every row.
    int ExecSQLByRowid(const std::string &sql, const std::string &shape, int32_t rowid, const TFields *fields);

    void StartTransaction(const std::string &kind = {});
    void BeginTransaction();
    void BeginDeferred();
    void BeginImmediate();
    void BeginExclusive();
    void Commit();
    void Rollback();

    void GetColumnNames(const std::string &tableName, std::vector<std::string> &list);
    bool NotADatabase();
    // Defined with the page codec (dataset/SqliteDBKeys.cpp).
    bool SetKey(const std::string &password);
    bool Rekey(const std::string &password);
    int CreateFunction(const std::string &name, int argCount, TSqliteScalarFunction impl);
    void ApplyPragmas();
    // Resets a statement of a dataset's query run; the handle finalizes it.
    void CloseStatement(TStatementHandle statement);
    [[noreturn]] void RaiseEngineError();
    // The text RaiseEngineError raises: engine message, CR LF, "SQL语句:", LastSQL.
    std::string engineErrorMessage() const;
    // The engine's (or the codec's) message about the last failure alone.
    std::string EngineMessage() const;

    // The dataset side, over the query's row reader: compile a query's
    // statement and describe its columns (none under the semicolon rule);
    // step once, reading a row (false at the end); run it and cache all rows.
    TStatementHandle PrepareQuery(const std::string &sql, TRowReader &reader);
    bool FetchRow(sqlite3_stmt *statement, TRowReader &reader);
    void RunQuery(const std::string &sql, TRowReader &reader, const TParams &params);

    // For the collations: texts as the engine holds them, compared with the
    // user's locale rules.
    int CompareText(const char *a, int aLength, const char *b, int bLength, bool ignoreCase) const;

private:
    void connect();
    void disconnect();
    void selectEncoding();
    QString resolvePath();
    void runInlineSQL();
    bool connectFirst();
    // The text handed to the engine: converted to UTF-8 in UTF-8 mode.
    std::string engineText(const std::string &sql) const;
    // Compiles the first statement of an engine text, raising the engine's
    // error; none for white space or a comment. `tail` receives the rest of
    // the same text.
    TStatementHandle Prepare(const char *engineText, const char **tail);
    int execText(const std::string &text, const TFields *fields, const int32_t *rowid);
    int runStatement(sqlite3_stmt *statement, const std::vector<std::string> &parameterNames,
                     const TFields *fields, std::vector<int> *fieldOfParameter, bool resolved, bool &abandoned);

    int timeOut_ = 0;
    std::string characterEncoding_;
    std::string transactionType_;
    QString database_;
    QString defaultExt_ = QStringLiteral(".DB");
    QString defaultDir_;
    std::string version_;
    bool connected_ = false;
    bool mustExist_ = false;
    QPointer<TSqliteInlineSQL> inlineSQL_;
    bool executeInlineSQL_ = false;
    QPointer<TSqlitePragma> pragma_;
    QPointer<TSqliteLog> log_;

    sqlite3 *handle_ = nullptr;
    bool utf8Mode_ = true;
    std::string lastSQL_;
    std::unique_ptr<TStatementCache> statements_;
    std::unique_ptr<QCollator> collator_;
    std::unique_ptr<QCollator> collatorNoCase_;
};

// The semicolon rule: a text with two or more statement-ending ";" (not those
// in literals, quoted names or comments) and fewer than two "CREATE"
// (upper-cased) is not run at all.
bool SkippedBySemicolonRule(const std::string &sql);

} // namespace torvik::dataset
