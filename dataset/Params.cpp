#include "dataset/Params.h"

#include "dataset/ParameterBinder.h"

namespace torvik::dataset {

void TParam::BindTo(sqlite3_stmt *statement, int position) const
{
    if (null_)
        return; // unbound, so NULL
    switch (traitsOf(type_).bindAs) {
    case TBindAs::Integer:
        BindParameter(statement, position, integer_);
        break;
    case TBindAs::Real:
    case TBindAs::DayCount:
        BindParameter(statement, position, real_);
        break;
    case TBindAs::Text:
    case TBindAs::BooleanText:
        BindParameter(statement, position, TTextValue{text_});
        break;
    case TBindAs::WideText:
        BindParameter(statement, position, wide_);
        break;
    case TBindAs::Blob:
        BindParameter(statement, position, TBlobValue{text_});
        break;
    case TBindAs::Nothing:
        break;
    }
}

void TParams::BindTo(sqlite3_stmt *statement) const
{
    for (size_t k = 0; k < params_.size(); ++k)
        params_[k].BindTo(statement, int(k) + 1);
}

} // namespace torvik::dataset
