#pragma once

// A typed parameter list, bound by position when a query runs.

#include "dataset/FieldType.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace torvik::dataset {

class TParam {
public:
    explicit TParam(std::string name = {}) : name_(std::move(name)) {}

    const std::string &Name() const { return name_; }
    TFieldType DataType() const { return type_; }
    bool IsNull() const { return null_; }
    void Clear() { null_ = true; }

    void setAsString(const std::string &v) { set(ftString); text_ = v; }
    void setAsInteger(int32_t v) { set(ftInteger); integer_ = v; }
    void setAsFloat(double v) { set(ftFloat); real_ = v; }
    void setAsBoolean(bool v) { set(ftBoolean); text_ = v ? "True" : "False"; }
    // Days since 1899-12-30.
    void setAsDateTime(double dayCount) { set(ftDateTime); real_ = dayCount; }
    void setAsBlob(const std::string &bytes) { set(ftBlob); text_ = bytes; }
    void setAsWideString(const std::u16string &v) { set(ftWideString); wide_ = v; }

    void BindTo(sqlite3_stmt *statement, int position) const;

private:
    void set(TFieldType t) { type_ = t; null_ = false; }

    std::string name_;
    TFieldType type_ = ftUnknown;
    bool null_ = true;
    std::string text_;
    std::u16string wide_;
    int32_t integer_ = 0;
    double real_ = 0;
};

class TParams {
public:
    int Count() const { return int(params_.size()); }
    TParam &Add(const std::string &name = {}) { return params_.emplace_back(name); }
    TParam &operator[](int i) { return params_[size_t(i)]; }
    const TParam &operator[](int i) const { return params_[size_t(i)]; }
    void Clear() { params_.clear(); }
    // Binds parameter k (1-based) from the k-th entry.
    void BindTo(sqlite3_stmt *statement) const;

private:
    std::vector<TParam> params_;
};

} // namespace torvik::dataset
