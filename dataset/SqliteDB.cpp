#include "dataset/SqliteDB.h"

#include "codec/CodecVfs.h"
#include "codec/EngineMessage.h"
#include "dataset/AsciiText.h"
#include "dataset/Errors.h"
#include "dataset/Field.h"
#include "dataset/RecordValues.h"
#include "dataset/SqliteBaseQuery.h"
#include "dataset/StatementCache.h"
#include "dataset/StatementEnds.h"
#include "dataset/Transaction.h"
#include "dataset/UiHooks.h"
#include "text/Gbk.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <sqlite3.h>

#include <algorithm>

namespace torvik::dataset {

namespace {

int collateNoCase(void *connection, int aLength, const void *a, int bLength, const void *b)
{
    return static_cast<TSqliteDB *>(connection)->CompareText(static_cast<const char *>(a), aLength,
                                                               static_cast<const char *>(b), bLength, true);
}

int collateWithCase(void *connection, int aLength, const void *a, int bLength, const void *b)
{
    return static_cast<TSqliteDB *>(connection)->CompareText(static_cast<const char *>(a), aLength,
                                                               static_cast<const char *>(b), bLength, false);
}

bool hasExtension(const QString &value)
{
    const qsizetype dot = value.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = std::max(value.lastIndexOf(QLatin1Char('/')), value.lastIndexOf(QLatin1Char('\\')));
    return dot >= 0 && dot > separator;
}

bool isMemory(const QString &value)
{
    return value.compare(QLatin1String(":memory:"), Qt::CaseInsensitive) == 0;
}

bool isWhiteSpaceOnly(const char *text)
{
    for (; text && *text; ++text) {
        if (!isAsciiSpace(*text))
            return false;
    }
    return true;
}

// Paths and other Unicode texts put into a message: what GBK cannot hold
// shows as "?" there; messages are never stored.
std::string gbkForMessage(const QString &text)
{
    std::string out;
    for (const QChar c : text) {
        const QString one(c);
        out += text::isGbkEncodable(one) ? text::toGbk(one) : std::string("?");
    }
    return out;
}

} // namespace

bool SkippedBySemicolonRule(const std::string &sql)
{
    // Every post comes here with a text that has no semicolon at all: a
    // plain count answers that before the scanner reads the text as the
    // engine does.
    if (std::count(sql.begin(), sql.end(), ';') < 2 || countStatementEnds(sql, 2) < 2)
        return false;
    size_t creates = 0;
    static const char word[] = "CREATE";
    for (size_t i = 0; i + 6 <= sql.size(); ++i) {
        size_t k = 0;
        while (k < 6 && asciiUpper(sql[i + k]) == word[k])
            ++k;
        if (k == 6)
            ++creates;
    }
    return creates < 2;
}

TSqliteDB::TSqliteDB(QObject *owner) : QObject(owner), statements_(std::make_unique<TStatementCache>()) {}

TSqliteDB::~TSqliteDB()
{
    // The owner is going away: its handlers must not run against it now.
    BeforeDisconnect = AfterDisconnect = nullptr;
    try {
        disconnect();
    } catch (...) {
        reportError(std::current_exception());
    }
    if (handle_) {
        statements_->Clear();
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
}

void TSqliteDB::setTimeOut(int milliseconds)
{
    timeOut_ = milliseconds;
    if (connected_ && handle_)
        sqlite3_busy_timeout(handle_, milliseconds > 0 ? milliseconds : 0);
}

void TSqliteDB::setDatabase(const QString &value)
{
    QString v = value.trimmed();
    if (!v.isEmpty() && !hasExtension(v) && !isMemory(v))
        v += DefaultExt();
    database_ = v;
}

QString TSqliteDB::DefaultExt() const
{
    return defaultExt_.isEmpty() ? QStringLiteral(".DB") : defaultExt_;
}

void TSqliteDB::setConnected(bool connected)
{
    if (connected) {
        if (!connected_)
            connect();
    } else {
        disconnect();
    }
}

void TSqliteDB::selectEncoding()
{
    utf8Mode_ = characterEncoding_.empty() || equalsIgnoringCase(characterEncoding_, "utf8");
}

QString TSqliteDB::resolvePath()
{
    if (isMemory(database_))
        return QStringLiteral(":memory:");
    QString path;
    if (!defaultDir_.isEmpty()) {
        if (!defaultDir_.endsWith(QLatin1Char('/')))
            defaultDir_ += QLatin1Char('/');
        path = defaultDir_ + database_;
    } else if (database_.contains(QLatin1Char('/'))) {
        path = database_;
    } else {
        path = QDir::currentPath() + QLatin1Char('/') + database_;
    }
    if (mustExist_ && !QFileInfo::exists(path))
        throw EDatabaseError("Database " + gbkForMessage(path) + " does not exist");
    return path;
}

void TSqliteDB::connect()
{
    // Every connection goes through the page codec, keyed or not.
    codec::installCodecVfs();
    selectEncoding();
    if (database_.isEmpty())
        throw ESqliteError("Missing database property");
    const QString path = resolvePath();

    connected_ = true;
    version_ = sqlite3_libversion();
    handle_ = nullptr;
    if (BeforeConnect)
        BeforeConnect(*this);

    sqlite3 *db = nullptr;
    // A connection lives on the thread that opened it, so the engine's
    // per-call locking only costs time (a lock per column read).
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    if (!db) {
        connected_ = false;
        throw ESqliteError("Cannot open database");
    }
    handle_ = db;
    // Filters and the password probe use double-quoted string literals.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 1, nullptr);

    collator_ = std::make_unique<QCollator>(QLocale::system());
    collator_->setCaseSensitivity(Qt::CaseSensitive);
    collatorNoCase_ = std::make_unique<QCollator>(QLocale::system());
    collatorNoCase_->setCaseSensitivity(Qt::CaseInsensitive);
    sqlite3_create_collation(db, "systemnocase", SQLITE_UTF8, this, collateNoCase);
    sqlite3_create_collation(db, "system", SQLITE_UTF8, this, collateWithCase);

    if (AfterConnect)
        AfterConnect(*this);
    if (pragma_)
        ApplyPragmas();
    if (executeInlineSQL_ && inlineSQL_)
        runInlineSQL();
    if (connected_ && timeOut_ > 0)
        sqlite3_busy_timeout(handle_, timeOut_);
}

void TSqliteDB::runInlineSQL()
{
    executeInlineSQL_ = false;
    std::string text;
    for (const std::string &line : inlineSQL_->SQL())
        text += line + "\r\n";
    InTransaction(*this, [this] { StartTransaction(); }, [&] { ExecSQL(text); });
}

void TSqliteDB::disconnect()
{
    if (!connected_)
        return;
    selectEncoding();
    if (BeforeDisconnect)
        BeforeDisconnect(*this);
    if (QObject *owner = parent()) {
        for (TSqliteBaseQuery *q : owner->findChildren<TSqliteBaseQuery *>(Qt::FindDirectChildrenOnly)) {
            if (q->Connection() == this)
                q->Close();
        }
    }
    statements_->Clear();
    if (handle_)
        sqlite3_close_v2(handle_);
    handle_ = nullptr;
    collator_.reset();
    collatorNoCase_.reset();
    if (AfterDisconnect)
        AfterDisconnect(*this);
    connected_ = false;
}

bool TSqliteDB::connectFirst()
{
    if (!connected_)
        Open();
    return connected_;
}

std::string TSqliteDB::engineText(const std::string &sql) const
{
    return utf8Mode_ ? text::gbkToUtf8(sql) : sql;
}

std::string TSqliteDB::EngineMessage() const
{
    return handle_ ? codec::engineErrorMessage(handle_) : "not connected";
}

std::string TSqliteDB::engineErrorMessage() const
{
    std::string message = EngineMessage();
    if (message.size() > 255)
        message.resize(255);
    return message + "\r\n" + kSqlStatementMarker + lastSQL_;
}

void TSqliteDB::RaiseEngineError()
{
    throw EDatabaseError(engineErrorMessage());
}

int TSqliteDB::runStatement(sqlite3_stmt *statement, const std::vector<std::string> &parameterNames,
                            const TFields *fields, std::vector<int> *fieldOfParameter, bool resolved,
                            bool &abandoned)
{
    abandoned = false;
    std::vector<int> local;
    std::vector<int> &binding = fieldOfParameter ? *fieldOfParameter : local;
    if (!resolved) {
        binding.assign(parameterNames.size(), -1);
        for (size_t k = 0; k < parameterNames.size(); ++k) {
            const std::string &name = parameterNames[k];
            if (name.empty())
                continue; // a nameless "?" stays unbound, so NULL
            const TField *field = fields ? fields->FindField(name) : nullptr;
            if (!field) {
                showMessage(name + " not found");
                abandoned = true;
                return 0;
            }
            binding[k] = field->Index();
        }
    }
    // Every field of a list reads the same record: its owner's active one.
    const uint8_t *record = fields && fields->Count() > 0 ? (*fields)[0]->OwnerRecord() : nullptr;
    const TSideValues *side = record ? (*fields)[0]->OwnerSideValues() : nullptr;
    for (size_t k = 0; k < binding.size(); ++k) {
        if (binding[k] < 0)
            continue;
        const TField *field = (*fields)[binding[k]];
        if (record)
            BindParameter(statement, int(k) + 1, SlotParameterValue(record, side, field->Slot()));
        else
            field->BindTo(statement, int(k) + 1);
    }
    int stepResult;
    do {
        stepResult = sqlite3_step(statement);
    } while (stepResult == SQLITE_ROW);
    return stepResult;
}

int TSqliteDB::ExecSQL(const std::string &sql, const TFields *fields)
{
    lastSQL_ = sql;
    return utf8Mode_ ? execText(engineText(sql), fields, nullptr) : execText(sql, fields, nullptr);
}

int TSqliteDB::ExecSQLByRowid(const std::string &sql, const std::string &shape, int32_t rowid, const TFields *fields)
{
    lastSQL_ = sql;
    return utf8Mode_ ? execText(engineText(shape), fields, &rowid) : execText(shape, fields, &rowid);
}

int TSqliteDB::execText(const std::string &text, const TFields *fields, const int32_t *rowid)
{
    if (SkippedBySemicolonRule(text))
        return 0;
    if (!handle_)
        RaiseEngineError();

    int result = 0;
    bool recompiled = false;
    const char *rest = text.c_str();
    while (rest && *rest) {
        // A text that is one whole statement may already be compiled, and is
        // kept once it is.
        const bool whole = rest == text.c_str();
        TStatementCache::Entry *entry = whole ? statements_->Find(text) : nullptr;
        TStatementHandle own;
        const char *tail = nullptr;
        if (!entry) {
            own = Prepare(rest, &tail);
            if (!own)
                break; // white space or a comment: no statement
            if (whole && isWhiteSpaceOnly(tail))
                entry = statements_->Add(text, std::move(own));
        }
        sqlite3_stmt *statement = entry ? entry->statement.get() : own.get();
        const bool reuse = entry && entry->fieldsGeneration != 0 && fields &&
                           entry->fieldsGeneration == fields->Generation();
        std::vector<std::string> ownNames;
        if (!entry)
            ownNames = ParameterNames(statement);
        bool abandoned = false;
        if (entry) {
            // Named parameters are bound again below; only nameless ones must
            // be cleared back to NULL.
            const auto nameless = std::count(entry->parameterNames.begin(), entry->parameterNames.end(), std::string());
            if (nameless > (rowid ? 1 : 0))
                sqlite3_clear_bindings(statement);
        }
        if (rowid)
            sqlite3_bind_int(statement, sqlite3_bind_parameter_count(statement), *rowid);
        const int stepResult = runStatement(statement, entry ? entry->parameterNames : ownNames, fields,
                                            entry ? &entry->fieldOfParameter : nullptr, reuse, abandoned);
        if (entry && !abandoned)
            entry->fieldsGeneration = fields ? fields->Generation() : 0;
        // The reset names the step's error and readies a kept statement for
        // its next run; an own one goes with its handle.
        int rc = sqlite3_reset(statement);
        if (abandoned)
            return 0;
        if (rc == SQLITE_OK && stepResult != SQLITE_DONE)
            rc = stepResult;
        if (rc != SQLITE_OK) {
            const std::string message = engineErrorMessage();
            if (entry)
                statements_->Remove(entry);
            if (rc == SQLITE_SCHEMA && entry && !recompiled) {
                recompiled = true;
                // The kept statement predates a schema change: compile it anew.
                continue;
            }
            throw EDatabaseError(message);
        }
        result = rc;
        rest = entry ? nullptr : tail;
    }
    return result;
}

void TSqliteDB::StartTransaction(const std::string &kind)
{
    const std::string k = kind.empty() ? transactionType_ : kind;
    if (equalsIgnoringCase(k, "DEFERRED"))
        BeginDeferred();
    else if (equalsIgnoringCase(k, "IMMEDIATE"))
        BeginImmediate();
    else if (equalsIgnoringCase(k, "EXCLUSIVE"))
        BeginExclusive();
    else
        BeginTransaction();
}

void TSqliteDB::BeginTransaction()
{
    if (connectFirst())
        ExecSQL("begin transaction");
}

void TSqliteDB::BeginDeferred()
{
    if (connectFirst())
        ExecSQL("begin deferred transaction");
}

void TSqliteDB::BeginImmediate()
{
    if (connectFirst())
        ExecSQL("begin immediate transaction");
}

void TSqliteDB::BeginExclusive()
{
    if (connectFirst())
        ExecSQL("begin exclusive transaction");
}

void TSqliteDB::Commit()
{
    if (connectFirst())
        ExecSQL("commit transaction");
}

void TSqliteDB::Rollback()
{
    if (connectFirst())
        ExecSQL("rollback transaction");
}

void TSqliteDB::GetColumnNames(const std::string &tableName, std::vector<std::string> &list)
{
    connectFirst();
    list.clear();
    if (!handle_)
        return;
    char **table = nullptr;
    int rows = 0;
    int columns = 0;
    const std::string sql = engineText("PRAGMA table_info(\"" + tableName + "\");");
    sqlite3_get_table(handle_, sql.c_str(), &table, &rows, &columns, nullptr);
    if (table && columns >= 2) {
        for (int r = 1; r <= rows; ++r) {
            const char *name = table[r * columns + 1];
            list.emplace_back(name ? name : "");
        }
    }
    sqlite3_free_table(table);
}

bool TSqliteDB::NotADatabase()
{
    if (!handle_)
        return false;
    char **table = nullptr;
    int rows = 0;
    int columns = 0;
    const int rc = sqlite3_get_table(handle_, "SELECT name FROM sqlite_master WHERE type=\"table\" ORDER BY name",
                                     &table, &rows, &columns, nullptr);
    sqlite3_free_table(table);
    return rc == SQLITE_NOTADB;
}

int TSqliteDB::CreateFunction(const std::string &name, int argCount, TSqliteScalarFunction impl)
{
    if (!handle_)
        return SQLITE_MISUSE;
    return sqlite3_create_function(handle_, engineText(name).c_str(), argCount, SQLITE_UTF8, nullptr, impl, nullptr,
                                   nullptr);
}

void TSqliteDB::ApplyPragmas()
{
    if (!connectFirst() || !pragma_)
        return;
    for (const std::string &statement : pragma_->Statements())
        ExecSQL(statement);
}

int TSqliteDB::CompareText(const char *a, int aLength, const char *b, int bLength, bool ignoreCase) const
{
    auto decode = [this](const char *p, int n) {
        const std::string_view bytes(p, size_t(std::max(n, 0)));
        return utf8Mode_ ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size())) : text::fromGbk(bytes);
    };
    const QCollator *collator = ignoreCase ? collatorNoCase_.get() : collator_.get();
    const QString left = decode(a, aLength);
    const QString right = decode(b, bLength);
    const int r = collator ? collator->compare(left, right) : QString::compare(left, right);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

} // namespace torvik::dataset
