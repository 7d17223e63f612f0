#pragma once

// Small helpers for the dataset tests: raw engine access that bypasses the
// layer under test, so that what the layer wrote is checked independently.

#include <QString>

#include <string>
#include <vector>

namespace torvik::test {

// Runs SQL on the file through a connection of its own.
void execRaw(const QString &path, const std::string &sql);
// The rows of a query, each value as text ("NULL" for NULL); with types, each
// value is prefixed by its storage class ("integer:5", "text:abc").
std::vector<std::vector<std::string>> queryRaw(const QString &path, const std::string &sql, bool withTypes = false);
// The single value of a query.
std::string queryValue(const QString &path, const std::string &sql, bool withType = false);

// "SQL语句:" in GBK.
inline const char *kSqlMarker = "SQL\xD3\xEF\xBE\xE4:";

} // namespace torvik::test
