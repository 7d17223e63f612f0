#pragma once

// Small helpers for the dataset tests: raw engine access that bypasses the
// layer under test, so that what the layer wrote is checked independently;
// the message of an expected error; a table on a file of its own.

#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "tests/support/TestSupport.h"

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <optional>
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

// The message of the E that fn raises; none when it raises nothing, which
// shows in a failed comparison as "nullopt".
template <typename E, typename Fn>
std::optional<std::string> thrownMessage(Fn &&fn)
{
    try {
        fn();
    } catch (const E &e) {
        return e.message();
    }
    return std::nullopt;
}

// A table and its connection, owned together as in the editor. The
// connection passes texts through as stored: GBK bytes.
class TableOnFile : public ::testing::Test {
protected:
    // The table still needs its name.
    void connectTo(const QString &file)
    {
        path = file;
        db.setDatabase(path);
        db.setCharacterEncoding("STANDARD");
        table.setConnection(&db);
    }

    ScratchDir dir;
    QString path;
    QObject owner;
    dataset::TSqliteDB db{&owner};
    dataset::TSqliteTable table{&owner};
};

// "SQL语句:" in GBK.
inline const char *kSqlMarker = "SQL\xD3\xEF\xBE\xE4:";

} // namespace torvik::test
