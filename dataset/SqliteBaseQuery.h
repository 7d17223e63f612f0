#pragma once

// TSqliteBaseQuery: a dataset over one SQL statement, run through its
// Connection. Opening reads the whole result into the result cache; then
// navigation, bookmarks and field reads work on memory. It writes nothing
// itself: TSqliteTable posts and deletes, then updates the cache through the
// protected operations here.

#include "dataset/DataSet.h"
#include "dataset/DataSource.h"
#include "dataset/Params.h"
#include "dataset/ResultCache.h"
#include "dataset/RowReader.h"
#include "dataset/SqliteDB.h"
#include "dataset/Statement.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

namespace torvik::dataset {

class TSqliteDB;
class TDataSource;
class TSqliteBlobStream;

enum class TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

class TSqliteBaseQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TSqliteBaseQuery(QObject *owner = nullptr);
    ~TSqliteBaseQuery() override;

    TSqliteDB *Connection() const { return connection_; }
    void setConnection(TSqliteDB *connection);
    bool AutoCommit() const { return autoCommit_; }
    void setAutoCommit(bool v) { autoCommit_ = v; }
    const std::string &TransactionType() const { return transactionType_; }
    void setTransactionType(const std::string &v) { transactionType_ = v; }
    bool SQLiteDateFormat() const { return sqliteDateFormat_; }
    void setSQLiteDateFormat(bool v) { sqliteDateFormat_ = v; }
    const std::string &TableDateFormat() const { return tableDateFormat_; }
    void setTableDateFormat(const std::string &v) { tableDateFormat_ = v; }
    int MaxResults() const { return maxResults_; }
    void setMaxResults(int v) { maxResults_ = v; }
    int StartResult() const { return startResult_; }
    void setStartResult(int v) { startResult_ = v; }
    bool TypeLess() const { return reader_.TypeLess(); }
    void setTypeLess(bool v) { reader_.setTypeLess(v); }
    const std::string &MasterFields() const { return masterFields_; }
    void setMasterFields(const std::string &v) { masterFields_ = v; }
    TDataSource *MasterSource() const { return masterSource_; }
    // EDatabaseError "circular references are not allowed" when the source
    // leads back to this dataset.
    void setMasterSource(TDataSource *source);
    bool SQLCursor() const { return sqlCursor_; }
    void setSQLCursor(bool v) { sqlCursor_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool v) { readOnly_ = v; }
    bool UniDirectional() const { return uniDirectional_; }
    void setUniDirectional(bool v) { uniDirectional_ = v; }

    TParams &Params() { return params_; }
    // The SQL run at the next open (the table builds it before each open).
    const std::string &StatementText() const { return statementText_; }
    void setStatementText(const std::string &sql) { statementText_ = sql; }
    // The statement of the last open, with master condition and clauses.
    const std::string &OpenedSQL() const { return openedSQL_; }
    const std::string &MasterCondition() const { return masterCondition_; }
    std::vector<TSqliteBaseQuery *> Details() const;

    // Close, rebuild the master condition, and open again when there is one.
    virtual void RequeryDetail();

    void First() override;
    void Last() override;
    void Next() override;
    void Prior() override;
    int RecordCount() const override;
    int RecNo() override;
    void InsertRecord(const std::vector<std::string> &values) override;
    void AppendRecord(const std::vector<std::string> &values) override;

    // The row id of the cached row at index, -1 outside.
    int32_t RowidAt(int index) const;
    int CurrentRecordIndex() const { return CurrentIndex; }

    std::unique_ptr<TSqliteBlobStream> CreateBlobStream(TField &field, TBlobStreamMode mode);
    // The record a closing blob stream stores into: the record being edited
    // or inserted, else the current cached row itself; none without one.
    uint8_t *BlobStoreRecord();

    bool Utf8Mode() const override;
    // In a detail, a field whose name occurs (ignoring case) in MasterFields
    // reads the first master field whose display name occurs there.
    const TField *ValueSource(const TField &field) const override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int CachedCount() const override;
    const uint8_t *CachedRecord(int index) const override;
    int32_t CachedBookmark(int index) const override;
    int CachedIndexOfBookmark(int32_t id) const override;
    bool InternalPost() override;
    void InternalDelete() override;
    void UnknownBookmark() override;
    void CheckCanModify() override;
    const uint8_t *BrowseRecord() const override;
    const TSideValues *BrowseSideValues() const override;
    void DataEventForDetails(TDataEvent event) override;

    // Runs a statement through the connection, its rows (if any) into the cache.
    void RunQuery(const std::string &sql);

    // Clause hooks of descendants.
    virtual std::string OrderByClause() const { return {}; }
    virtual bool StatementHasWhere() const { return false; }

    // Cache updates after a statement succeeded.
    void CacheInsertActive(int32_t rowid);
    void CacheUpdateActive();
    void CacheDeleteCurrent();
    // The detail columns named in MasterFields, each with its master field.
    std::vector<std::pair<std::string, std::string>> MasterPairs() const;
    TDataSet *MasterDataSet() const;

private:
    std::string buildMasterCondition() const;
    void checkMaster() const;
    void connectionGone();
    void fetchUniRow();

    QPointer<TSqliteDB> connection_;
    bool autoCommit_ = false;
    std::string transactionType_;
    bool sqliteDateFormat_ = true;
    std::string tableDateFormat_;
    int maxResults_ = 0;
    int startResult_ = 0;
    std::string masterFields_;
    QPointer<TDataSource> masterSource_;
    bool sqlCursor_ = true;
    bool readOnly_ = false;
    bool uniDirectional_ = false;

    TParams params_;
    std::string statementText_;
    std::string openedSQL_;
    std::string masterCondition_;
    std::vector<QPointer<TSqliteBaseQuery>> details_;
    bool requerying_ = false;

    std::unique_ptr<TFResult> cache_;
    TRowReader reader_{fieldDefs_, layout_, cache_};
    // Unidirectional reading: the statement being stepped.
    TStatementHandle statement_;
    // Unidirectional reading: the one row fetched last.
    TRecord uniRow_;
    bool uniHasRow_ = false;
    bool uniMoved_ = false;
};

} // namespace torvik::dataset
