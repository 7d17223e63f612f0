#include "dataset/SqliteComponents.h"

namespace torvik::dataset {

std::vector<std::string> TSqlitePragma::Statements() const
{
    std::vector<std::string> out;
    if (tempCacheSize_ != 0)
        out.push_back("pragma cache_size=" + std::to_string(tempCacheSize_));
    if (defaultCacheSize_ != 0)
        out.push_back("pragma default_cache_size=" + std::to_string(defaultCacheSize_));
    if (!defaultSynchronous_.empty())
        out.push_back("pragma default_synchronous=" + defaultSynchronous_);
    if (!defaultTempStore_.empty())
        out.push_back("pragma default_temp_store=" + defaultTempStore_);
    if (!tempStore_.empty())
        out.push_back("pragma temp_store=" + tempStore_);
    if (!synchronous_.empty())
        out.push_back("pragma synchronous=" + synchronous_);
    return out;
}

} // namespace torvik::dataset
