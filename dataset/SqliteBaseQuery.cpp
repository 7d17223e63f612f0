#include "dataset/SqliteBaseQuery.h"

#include "dataset/AsciiText.h"
#include "dataset/DataSource.h"
#include "dataset/Errors.h"
#include "dataset/RecordValues.h"
#include "dataset/SqliteBlobStream.h"
#include "dataset/SqliteDB.h"
#include "dataset/UiHooks.h"

#include <algorithm>

namespace torvik::dataset {

namespace {

// The class name without its namespace: the check against "TSqlite" is about
// the class itself.
std::string plainClassName(const QObject *object)
{
    std::string name = object->metaObject()->className();
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

} // namespace

TSqliteBaseQuery::TSqliteBaseQuery(QObject *owner) : TDataSet(owner) {}

TSqliteBaseQuery::~TSqliteBaseQuery()
{
    // The owner is going away: its handlers must not run against it now.
    BeforeClose = AfterClose = nullptr;
    try {
        Close();
    } catch (...) {
    }
}

void TSqliteBaseQuery::setConnection(TSqliteDB *connection)
{
    if (connection_ == connection)
        return;
    if (connection_)
        disconnect(connection_, nullptr, this, nullptr);
    connection_ = connection;
    if (connection_)
        connect(connection_, &QObject::destroyed, this, [this] { connectionGone(); });
}

void TSqliteBaseQuery::connectionGone()
{
    // The engine handle is closing with its connection; a statement still
    // open keeps it from being freed until the statement goes.
    statement_.reset();
    Close();
    connection_ = nullptr;
}

TDataSet *TSqliteBaseQuery::MasterDataSet() const
{
    return masterSource_ ? masterSource_->DataSet() : nullptr;
}

void TSqliteBaseQuery::setMasterSource(TDataSource *source)
{
    for (TDataSource *s = source; s;) {
        TDataSet *ds = s->DataSet();
        if (ds == this)
            throw EDatabaseError("circular references are not allowed");
        auto *query = qobject_cast<TSqliteBaseQuery *>(ds);
        s = query ? query->MasterSource() : nullptr;
    }
    masterSource_ = source;
}

std::vector<TSqliteBaseQuery *> TSqliteBaseQuery::Details() const
{
    std::vector<TSqliteBaseQuery *> out;
    for (const auto &d : details_) {
        if (d)
            out.push_back(d);
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> TSqliteBaseQuery::MasterPairs() const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string &part : splitList(masterFields_)) {
        const size_t eq = part.find('=');
        if (eq == std::string::npos)
            throw ESqliteError("Syntax error: Masterfields not build of a=b;... pairs");
        pairs.emplace_back(trimmedSqlText(part.substr(0, eq)), trimmedSqlText(part.substr(eq + 1)).substr(0, 99));
    }
    return pairs;
}

std::string TSqliteBaseQuery::buildMasterCondition() const
{
    TDataSet *master = MasterDataSet();
    std::string condition;
    for (const auto &[detail, masterField] : MasterPairs()) {
        if (!condition.empty())
            condition += " and ";
        condition += detail + "=" + quotedSqlLiteral(master ? master->FieldByName(masterField)->AsString() : std::string());
    }
    return condition;
}

void TSqliteBaseQuery::checkMaster() const
{
    TDataSet *master = MasterDataSet();
    if (!master)
        throw ESqliteError("master dataset undefined");
    const std::string name = plainClassName(master);
    if (!equalsIgnoringCase(name.substr(0, 7), "TSqlite"))
        throw ESqliteError("master dataset " + name + " is not of TSqliteBaseQuery type");
}

void TSqliteBaseQuery::InternalOpen()
{
    reader_.Clear();
    layout_.Clear();
    if (!connection_)
        throw ESqliteError("no database connection");
    if (!connection_->Connected())
        connection_->Open();

    std::string sql = statementText_;
    if (connection_->Connected() && masterSource_) {
        checkMaster();
        setMasterSource(masterSource_); // a chain may have closed into a circle since
        auto *master = static_cast<TSqliteBaseQuery *>(MasterDataSet());
        masterCondition_ = buildMasterCondition();
        if (!masterCondition_.empty())
            sql += (StatementHasWhere() ? " and " : " where ") + masterCondition_;
        if (std::find(master->details_.begin(), master->details_.end(), this) == master->details_.end())
            master->details_.push_back(this);
    }
    const std::string orderBy = OrderByClause();
    if (!orderBy.empty())
        sql += " order by " + orderBy;
    if (maxResults_ != 0)
        sql += " limit " + std::to_string(maxResults_);
    if (startResult_ != 0)
        sql += " offset " + std::to_string(startResult_);
    openedSQL_ = sql;

    cache_ = std::make_unique<TFResult>(1, &layout_);
    if (uniDirectional_) {
        statement_ = connection_->PrepareQuery(sql, reader_);
        uniRow_.Reset(layout_);
        uniHasRow_ = false;
        uniMoved_ = false;
        fetchUniRow();
    } else if (connection_->Connected()) {
        RunQuery(sql);
    }
    if (layout_.Count() == 0 && fieldDefs_.Count() > 0)
        layout_.Build(fieldDefs_);
    // A statement that was not run (the semicolon rule) leaves an empty cache
    // that must still hold records of the fields' size.
    if (cache_->Count() == 0 && cache_->RecordSize() != std::max(layout_.DataSize(), 1))
        cache_ = std::make_unique<TFResult>(layout_.DataSize(), &layout_);
}

void TSqliteBaseQuery::InternalClose()
{
    if (connection_)
        connection_->CloseStatement(std::move(statement_));
    statement_.reset();
    uniRow_.clear();
    uniHasRow_ = false;
    cache_.reset();
}

void TSqliteBaseQuery::fetchUniRow()
{
    uniHasRow_ = statement_ && connection_->FetchRow(statement_.get(), reader_);
    if (uniHasRow_)
        std::swap(uniRow_, reader_.Record());
}

void TSqliteBaseQuery::RunQuery(const std::string &sql)
{
    BusyCursor cursor(sqlCursor_);
    connection_->RunQuery(sql, reader_, params_);
}

int TSqliteBaseQuery::CachedCount() const
{
    return cache_ ? cache_->Count() : 0;
}

const uint8_t *TSqliteBaseQuery::CachedRecord(int index) const
{
    return cache_ ? cache_->RowAt(index) : nullptr;
}

int32_t TSqliteBaseQuery::CachedBookmark(int index) const
{
    return cache_ ? cache_->BookmarkAt(index) : -1;
}

int TSqliteBaseQuery::CachedIndexOfBookmark(int32_t id) const
{
    return cache_ ? cache_->IndexOfBookmark(id) : -1;
}

int32_t TSqliteBaseQuery::RowidAt(int index) const
{
    return cache_ ? cache_->RowidAt(index) : -1;
}

const uint8_t *TSqliteBaseQuery::BrowseRecord() const
{
    if (uniDirectional_)
        return uniHasRow_ ? uniRow_.data() : nullptr;
    return CachedRecord(CurrentIndex);
}

const TSideValues *TSqliteBaseQuery::BrowseSideValues() const
{
    if (uniDirectional_)
        return uniHasRow_ ? &uniRow_.side() : nullptr;
    return cache_ ? cache_->SideValuesAt(CurrentIndex) : nullptr;
}

uint8_t *TSqliteBaseQuery::BlobStoreRecord()
{
    switch (State()) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
        return EditRecord().data();
    case TDataSetState::dsBrowse:
        if (uniDirectional_)
            return uniHasRow_ ? uniRow_.data() : nullptr;
        return cache_ ? cache_->RowAt(CurrentIndex) : nullptr;
    default:
        return nullptr;
    }
}

bool TSqliteBaseQuery::Utf8Mode() const
{
    return connection_ && connection_->Utf8Mode();
}

const TField *TSqliteBaseQuery::ValueSource(const TField &field) const
{
    if (masterFields_.empty() || !masterSource_)
        return nullptr;
    TDataSet *master = MasterDataSet();
    if (!master || master == this || !master->Active())
        return nullptr;
    const std::string text = toLowerAscii(masterFields_);
    if (text.find(toLowerAscii(field.FieldName())) == std::string::npos)
        return nullptr;
    for (int i = 0; i < master->FieldCount(); ++i) {
        const TField *candidate = master->Fields()[i];
        if (text.find(toLowerAscii(candidate->DisplayName())) != std::string::npos)
            return candidate;
    }
    return nullptr;
}

void TSqliteBaseQuery::UnknownBookmark()
{
    if (!uniDirectional_)
        TDataSet::UnknownBookmark();
}

void TSqliteBaseQuery::CheckCanModify()
{
    if (uniDirectional_)
        throw ESqliteError("Cannot modify a unidirectional dataset");
}

bool TSqliteBaseQuery::InternalPost()
{
    // A plain query has no table to write to.
    throw ESqliteError("Cannot post into a read-only dataset");
}

void TSqliteBaseQuery::InternalDelete()
{
    throw ESqliteError("Cannot delete from a read-only dataset");
}

void TSqliteBaseQuery::First()
{
    if (!uniDirectional_) {
        TDataSet::First();
        return;
    }
    CheckActive();
    if (uniMoved_)
        throw ESqliteError("operation FIRST not allowed on unidirectional dataset");
}

void TSqliteBaseQuery::Last()
{
    if (!uniDirectional_) {
        TDataSet::Last();
        return;
    }
    CheckActive();
    while (uniHasRow_) {
        uniMoved_ = true;
        fetchUniRow();
    }
    eof_ = true;
}

void TSqliteBaseQuery::Next()
{
    if (!uniDirectional_) {
        TDataSet::Next();
        return;
    }
    CheckActive();
    if (eof_)
        return;
    scroll([this] {
        uniMoved_ = true;
        fetchUniRow();
        bof_ = false;
        eof_ = !uniHasRow_;
    });
}

void TSqliteBaseQuery::Prior()
{
    if (uniDirectional_)
        throw ESqliteError("operation PRIOR not allowed on unidirectional dataset");
    TDataSet::Prior();
}

int TSqliteBaseQuery::RecordCount() const
{
    return uniDirectional_ ? 0 : TDataSet::RecordCount();
}

int TSqliteBaseQuery::RecNo()
{
    const int n = TDataSet::RecNo();
    for (TSqliteBaseQuery *detail : Details())
        detail->RequeryDetail();
    return n;
}

void TSqliteBaseQuery::InsertRecord(const std::vector<std::string> &values)
{
    if (readOnly_)
        throw ESqliteError("Cannot write to a read-only dataset");
    TDataSet::InsertRecord(values);
}

void TSqliteBaseQuery::AppendRecord(const std::vector<std::string> &values)
{
    if (readOnly_)
        throw ESqliteError("Cannot write to a read-only dataset");
    TDataSet::AppendRecord(values);
}

void TSqliteBaseQuery::RequeryDetail()
{
    if (requerying_)
        return;
    requerying_ = true;
    try {
        Close();
        masterCondition_ = buildMasterCondition();
        if (!masterCondition_.empty())
            Open();
    } catch (...) {
        requerying_ = false;
        throw;
    }
    requerying_ = false;
}

void TSqliteBaseQuery::DataEventForDetails(TDataEvent event)
{
    if (details_.empty() || (event != TDataEvent::DataSetChange && event != TDataEvent::DataSetScroll))
        return;
    for (TSqliteBaseQuery *detail : Details()) {
        const bool masterHasRow = Active() && ActiveRecord() && FieldCount() > 0;
        if (!masterHasRow || Fields()[0]->IsNull())
            detail->Close();
        else
            detail->RequeryDetail();
    }
}

void TSqliteBaseQuery::CacheInsertActive(int32_t rowid)
{
    cache_->InsertRow(CurrentIndex, std::move(EditRecord()), rowid);
}

void TSqliteBaseQuery::CacheUpdateActive()
{
    cache_->ReplaceRow(CurrentIndex, std::move(EditRecord()));
}

void TSqliteBaseQuery::CacheDeleteCurrent()
{
    const int row = CurrentIndex;
    Notify(TDataEvent::RowsAboutToBeRemoved, row);
    cache_->DeleteRow(row);
    if (CurrentIndex >= cache_->Count())
        CurrentIndex -= 1;
    Notify(TDataEvent::RowsRemoved, row);
}

std::unique_ptr<TSqliteBlobStream> TSqliteBaseQuery::CreateBlobStream(TField &field, TBlobStreamMode mode)
{
    if (!field.IsBlob())
        throw EInvalidCast("Invalid class typecast");
    return std::make_unique<TSqliteBlobStream>(field, mode, *this);
}

} // namespace torvik::dataset
