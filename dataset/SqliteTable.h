#pragma once

// TSqliteTable: the dataset over one table. It reads
// "select *, rowid as rowid from <table>" (with the filter), and turns each
// posted record into one UPDATE or INSERT and each deleted record into one
// DELETE, addressing rows by rowid and binding every value as a parameter.

#include "dataset/SqliteBaseQuery.h"

#include <string>
#include <vector>

namespace torvik::dataset {

class TSqliteTable : public TSqliteBaseQuery {
    Q_OBJECT
public:
    explicit TSqliteTable(QObject *owner = nullptr);

    const std::string &TableName() const { return tableName_; }
    // Closes the table, even for the same name, then stores the name.
    void setTableName(const std::string &name);
    const std::string &OrderBy() const { return orderBy_; }
    void setOrderBy(const std::string &orderBy);
    bool PrimaryAutoInc() const { return primaryAutoInc_; }
    void setPrimaryAutoInc(bool v) { primaryAutoInc_ = v; }

    // The text of the last statement built (SELECT, UPDATE, INSERT or DELETE).
    const std::string &LastTableSQL() const { return lastTableSQL_; }
    int32_t CurrentRowid() const { return currentRowid_; }

protected:
    void InternalOpen() override;
    bool InternalPost() override;
    void InternalDelete() override;
    std::string OrderByClause() const override { return orderBy_; }
    bool StatementHasWhere() const override { return Filtered() && !Filter().empty(); }

private:
    void postUpdate();
    void postInsert();
    std::string insertText() const;
    // Runs fn in the AutoCommit transaction: committed after it, rolled back
    // when it or the commit fails.
    template <typename Fn>
    void inAutoCommit(const std::string &transactionKind, bool plainBegin, Fn &&fn);
    static std::string joinLines(const std::vector<std::string> &lines);

    std::string tableName_;
    std::string orderBy_;
    bool primaryAutoInc_ = false;
    std::vector<std::string> sqlLines_;
    // The UPDATE's assignment line and compiled shape, for the fields they were built from.
    uint64_t updateFieldsGeneration_ = 0;
    std::string updateAssignments_;
    std::string updateShape_;
    // The INSERT of a table without a master has the same text for every row.
    uint64_t insertFieldsGeneration_ = 0;
    bool insertAutoInc_ = false;
    std::string insertText_;
    std::string lastTableSQL_;
    int32_t currentRowid_ = -1;
};

} // namespace torvik::dataset
