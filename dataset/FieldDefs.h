#pragma once

#include "dataset/FieldType.h"

#include <string>
#include <vector>

struct sqlite3_stmt;

namespace torvik::dataset {

struct TFieldMapping {
    TFieldType type = ftString;
    int size = 255;
    int precision = 0;
};

// The field type of a column from its declared type text ("CHAR(14)",
// "INTEGER", ...). Sizes that are not decimal integers raise EConvertError.
TFieldMapping DeclaredTypeToField(const std::string &declaredType);

struct TFieldDef {
    std::string Name;
    TFieldType DataType = ftString;
    int Size = 0;
    int Precision = 0;
};

class TFieldDefs {
public:
    void Clear() { defs_.clear(); }
    int Count() const { return int(defs_.size()); }
    const TFieldDef &operator[](int i) const { return defs_[size_t(i)]; }
    const std::vector<TFieldDef> &items() const { return defs_; }
    // Index of the definition of that name, ignoring letter case; -1 when none.
    int IndexOf(const std::string &name) const;
    // Adds a definition; a name already taken gets "_1", "_2", ... appended.
    void Add(TFieldDef def);

private:
    std::vector<TFieldDef> defs_;
};

// Rebuilds the definitions from a compiled statement's result columns. The
// column named "rowid" (any case) makes no definition; its index is answered
// in rowidColumn (-1 when none). With typeLess every column is a text field of
// the mapped size. A statement without result columns leaves defs unchanged.
void BuildFieldDefs(sqlite3_stmt *statement, bool typeLess, TFieldDefs &defs, int &rowidColumn);

} // namespace torvik::dataset
