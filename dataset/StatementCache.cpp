#include "dataset/StatementCache.h"

#include <sqlite3.h>

namespace torvik::dataset {

TStatementCache::Entry *TStatementCache::Find(const std::string &sql)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->sql == sql) {
            entries_.splice(entries_.begin(), entries_, it);
            return &entries_.front();
        }
    }
    return nullptr;
}

TStatementCache::Entry *TStatementCache::Add(const std::string &sql, TStatementHandle statement)
{
    while (!entries_.empty() && entries_.size() >= capacity_)
        entries_.pop_back();
    Entry e;
    e.sql = sql;
    e.parameterNames = ParameterNames(statement.get());
    e.statement = std::move(statement);
    entries_.push_front(std::move(e));
    return &entries_.front();
}

void TStatementCache::Remove(Entry *entry)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (&*it == entry) {
            entries_.erase(it);
            return;
        }
    }
}

void TStatementCache::Clear()
{
    entries_.clear();
}

std::vector<std::string> ParameterNames(sqlite3_stmt *statement)
{
    std::vector<std::string> names;
    const int count = sqlite3_bind_parameter_count(statement);
    for (int k = 1; k <= count; ++k) {
        const char *name = sqlite3_bind_parameter_name(statement, k);
        names.push_back(name && *name ? std::string(name + 1) : std::string());
    }
    return names;
}

} // namespace torvik::dataset
