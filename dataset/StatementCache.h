#pragma once

// Compiled statements kept for reuse by ExecSQL: bulk edits post the same
// UPDATE or INSERT text thousands of times, and compiling it each time costs
// more than running it. Each entry also remembers which field of which field
// list binds each of its parameters.

#include "dataset/Statement.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace torvik::dataset {

class TStatementCache {
public:
    struct Entry {
        std::string sql;
        TStatementHandle statement;
        // Parameter names without their leading character (the colon).
        std::vector<std::string> parameterNames;
        uint64_t fieldsGeneration = 0;
        std::vector<int> fieldOfParameter;
    };

    explicit TStatementCache(size_t capacity = 16) : capacity_(capacity) {}
    TStatementCache(const TStatementCache &) = delete;
    TStatementCache &operator=(const TStatementCache &) = delete;

    // The entry for that text, made the most recently used; none when absent.
    Entry *Find(const std::string &sql);
    // Keeps the statement; evicts the least recently used entry.
    Entry *Add(const std::string &sql, TStatementHandle statement);
    void Remove(Entry *entry);
    // Drops every kept statement (before the connection closes).
    void Clear();

private:
    size_t capacity_;
    std::list<Entry> entries_;
};

// Parameter names of a compiled statement, each without its first character.
std::vector<std::string> ParameterNames(sqlite3_stmt *statement);

} // namespace torvik::dataset
