#pragma once

// A Paradox table file of the other database family ("Q7数据库"), read
// through pxlib once the file has been checked (ParadoxCheck.h). Fields are
// found by name ignoring case and read as text in the forms the dataset layer
// takes for a field of that kind: numbers in the float text form, logical
// values as "True"/"False", dates and times in the layer's date forms, memos
// as their bytes, binary and graphic values as uppercase hexadecimal. Alpha
// values keep their bytes (GBK in the tables this reader is for).

#include "exchange/ParadoxCheck.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace torvik::exchange {

class ParadoxTable {
public:
    // Opens and checks the file; throws dataset::EDatabaseError naming the
    // file and what is wrong with it.
    explicit ParadoxTable(const QString &path);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable &) = delete;
    ParadoxTable &operator=(const ParadoxTable &) = delete;

    int recordCount() const { return layout_.recordCount; }
    int fieldCount() const { return int(layout_.fields.size()); }
    const QString &fieldName(int field) const { return names_[size_t(field)]; }
    // The field of that name, ignoring case; -1 when there is none.
    int findField(const QString &name) const;

    // Makes record `record` (from 0) current; throws EDatabaseError.
    void readRecord(int record);
    // The current record's value of the field as text; throws
    // EDatabaseError when it cannot be read.
    std::string text(int field) const;

private:
    struct Doc;
    std::unique_ptr<Doc> doc_;
    ParadoxLayout layout_;
    std::vector<QString> names_;
    std::vector<int> offsets_;
    std::vector<char> record_;
    std::unique_ptr<ParadoxBlobFile> blobs_; // none without a .mb file
};

} // namespace torvik::exchange
