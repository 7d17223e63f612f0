#include "dataset/Params.h"

#include <sqlite3.h>

namespace torvik::dataset {

void TParam::BindTo(sqlite3_stmt *statement, int position) const
{
    if (null_)
        return; // unbound, so NULL
    switch (type_) {
    case ftInteger:
        sqlite3_bind_int(statement, position, integer_);
        break;
    case ftFloat:
    case ftCurrency:
    case ftDateTime:
    case ftTimeStamp:
    case ftDate:
    case ftTime:
        sqlite3_bind_double(statement, position, real_);
        break;
    case ftString:
    case ftBoolean:
        sqlite3_bind_text(statement, position, text_.data(), int(text_.size()), SQLITE_TRANSIENT);
        break;
    case ftWideString:
        sqlite3_bind_text16(statement, position, wide_.data(), int(wide_.size() * 2), SQLITE_TRANSIENT);
        break;
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftVariant:
        sqlite3_bind_blob(statement, position, text_.data(), int(text_.size()), SQLITE_TRANSIENT);
        break;
    default:
        break;
    }
}

void TParams::BindTo(sqlite3_stmt *statement) const
{
    for (size_t k = 0; k < params_.size(); ++k)
        params_[k].BindTo(statement, int(k) + 1);
}

} // namespace torvik::dataset
