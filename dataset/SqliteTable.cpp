#include "dataset/SqliteTable.h"

#include "dataset/AsciiText.h"
#include "dataset/DataSource.h"
#include "dataset/Errors.h"
#include "dataset/SqliteDB.h"
#include "dataset/Transaction.h"

#include <sqlite3.h>

namespace torvik::dataset {

TSqliteTable::TSqliteTable(QObject *owner) : TSqliteBaseQuery(owner) {}

void TSqliteTable::setTableName(const std::string &name)
{
    Close();
    tableName_ = name;
}

void TSqliteTable::setOrderBy(const std::string &orderBy)
{
    if (orderBy == orderBy_)
        return;
    Close();
    orderBy_ = orderBy;
}

std::string TSqliteTable::joinLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

void TSqliteTable::InternalOpen()
{
    if (tableName_.empty())
        throw ESqliteError("no table specified");
    sqlLines_ = {"select *, rowid as rowid from " + tableName_};
    if (Filtered() && !Filter().empty())
        sqlLines_.push_back(" where " + Filter());
    if (MaxResults() == 0 && StartResult() != 0)
        setMaxResults(-1);
    lastTableSQL_ = joinLines(sqlLines_);
    setStatementText(trimmedSqlText(lastTableSQL_));
    TSqliteBaseQuery::InternalOpen();
}

template <typename Fn>
void TSqliteTable::inAutoCommit(const std::string &transactionKind, bool plainBegin, Fn &&fn)
{
    if (!AutoCommit()) {
        fn();
        return;
    }
    TSqliteDB *db = Connection();
    InTransaction(
        *db,
        [&] {
            if (plainBegin)
                db->BeginTransaction();
            else
                db->StartTransaction(transactionKind);
        },
        std::forward<Fn>(fn));
}

void TSqliteTable::InternalDelete()
{
    if (ReadOnly())
        throw ESqliteError("Cannot delete from a read-only dataset");
    TSqliteDB *db = Connection();
    if (!db || !db->Connected())
        return;
    inAutoCommit(TransactionType(), false, [&] {
        lastTableSQL_.clear();
        currentRowid_ = RowidAt(CurrentRecordIndex());
        sqlLines_ = {"delete from " + tableName_ + " where rowid=" + quotedSqlLiteral(std::to_string(currentRowid_))};
        lastTableSQL_ = joinLines(sqlLines_);
        RunQuery(lastTableSQL_);
    });
    CacheDeleteCurrent();
}

bool TSqliteTable::InternalPost()
{
    if (ReadOnly())
        throw ESqliteError("Cannot post into a read-only dataset");
    for (int i = 0; i < FieldCount(); ++i) {
        const TField *f = Fields()[i];
        if (f->Required() && f->IsNull())
            throw EDatabaseError(formatMessage("%s is required.", {f->DisplayName()}));
    }
    TSqliteDB *db = Connection();
    if (!db || !db->Connected())
        return false;
    const bool update = State() == TDataSetState::dsEdit && RecordCount() > 0;
    inAutoCommit(std::string(), true, [&] {
        if (update)
            postUpdate();
        else
            postInsert();
    });
    // The cache changes only once the database has.
    if (update) {
        CacheUpdateActive();
    } else {
        const int32_t rowid = int32_t(sqlite3_last_insert_rowid(db->Handle()));
        if (RecordCount() == 0)
            CurrentIndex += 1;
        if (CurrentIndex < 0)
            CurrentIndex = 0;
        CacheInsertActive(rowid);
    }
    return true;
}

void TSqliteTable::postUpdate()
{
    currentRowid_ = RowidAt(CurrentRecordIndex());
    const std::string head = "update " + tableName_ + " set ";
    if (updateFieldsGeneration_ != Fields().Generation() || updateShape_.compare(0, head.size(), head) != 0) {
        std::string assignments;
        for (int i = 0; i < FieldCount(); ++i) {
            const std::string &name = Fields()[i]->FieldName();
            assignments += name + "=:" + name + ",";
        }
        if (!assignments.empty())
            assignments.back() = ' ';
        updateAssignments_ = assignments;
        // Every row's UPDATE has this shape: compiled once, the row id bound.
        updateShape_ = joinLines({head, updateAssignments_, " where rowid=?"});
        updateFieldsGeneration_ = Fields().Generation();
    }
    lastTableSQL_.clear();
    lastTableSQL_.reserve(updateShape_.size() + 16);
    lastTableSQL_.append(head).append("\r\n").append(updateAssignments_).append("\r\n");
    lastTableSQL_.append(" where rowid=").append(quotedSqlLiteral(std::to_string(currentRowid_))).append("\r\n");
    Connection()->ExecSQLByRowid(lastTableSQL_, updateShape_, currentRowid_, &Fields());
}

std::string TSqliteTable::insertText() const
{
    std::string names;
    for (int i = 0; i < FieldCount(); ++i)
        names += Fields()[i]->FieldName() + ",";
    if (!names.empty())
        names.back() = ')';
    std::string values;
    int first = 0;
    if (primaryAutoInc_ && fieldDefs_.Count() > 0 && fieldDefs_[0].DataType == ftInteger) {
        values += "null,";
        first = 1;
    }
    const auto pairs = MasterSource() ? MasterPairs() : std::vector<std::pair<std::string, std::string>>();
    TDataSet *master = MasterDataSet();
    for (int i = first; i < FieldCount(); ++i) {
        const std::string &name = Fields()[i]->FieldName();
        const std::string *masterField = nullptr;
        for (const auto &[detail, masterName] : pairs) {
            if (equalsIgnoringCase(detail, name)) {
                masterField = &masterName;
                break;
            }
        }
        if (masterField && master)
            values += quotedSqlLiteral(master->FieldByName(*masterField)->AsString()) + ",";
        else
            values += ":" + name + ",";
    }
    if (!values.empty())
        values.back() = ')';
    return "insert into " + tableName_ + " (" + names + " values (" + values;
}

void TSqliteTable::postInsert()
{
    // A detail's INSERT carries its master's values; any other is the same
    // text for every row, built once per set of fields.
    if (MasterSource()) {
        lastTableSQL_ = insertText();
    } else {
        const std::string head = "insert into " + tableName_ + " (";
        if (insertFieldsGeneration_ != Fields().Generation() || insertAutoInc_ != primaryAutoInc_ ||
            insertText_.compare(0, head.size(), head) != 0) {
            insertText_ = insertText();
            insertFieldsGeneration_ = Fields().Generation();
            insertAutoInc_ = primaryAutoInc_;
        }
        lastTableSQL_ = insertText_;
    }
    Connection()->ExecSQL(lastTableSQL_, &Fields());
    if (primaryAutoInc_ && FieldCount() > 0)
        Fields()[0]->setAsInteger(int32_t(sqlite3_last_insert_rowid(Connection()->Handle())));
}

} // namespace torvik::dataset
