#pragma once

// The database file a command works on, opened the way the editor opens it:
// through the page codec, keyed with the password's GBK bytes, probed before
// use, waiting up to 5 seconds for a lock another program holds. The file is
// the path given, exactly: no extension is added.

#include <functional>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace torvik::dataset {
class TSqliteDB;
}

namespace torvik::cli {

class CliDatabase {
public:
    // Opens an existing file and keys it with a non-empty password given in
    // UTF-8. Throws Failure.
    CliDatabase(const std::string &path, const std::optional<std::string> &utf8Password);
    ~CliDatabase();
    CliDatabase(const CliDatabase &) = delete;
    CliDatabase &operator=(const CliDatabase &) = delete;

    // Throws Failure unless the file reads as a database with the key given:
    // a file too short to be one says so, as does a refused read.
    void requireReadable();
    // Encrypts, re-keys or (empty password) decrypts the file. Throws Failure.
    void rekey(const std::string &utf8Password);

    sqlite3 *handle() const;
    dataset::TSqliteDB &connection() const;
    // Compiles the first statement of sql; what follows it is answered in
    // *tail when asked for. Throws Failure.
    sqlite3_stmt *prepare(const char *sql, const char **tail = nullptr) const;
    // Steps the statement through its rows, handing each to onRow, and
    // finalizes it. False when a step failed: failWithEngineError then
    // reports why.
    bool runToEnd(sqlite3_stmt *statement, const std::function<void(sqlite3_stmt *)> &onRow) const;
    // Throws Failure with the engine's message for its last error.
    [[noreturn]] void failWithEngineError() const;
    // Throws Failure with the message, and a word about a stray -wal when
    // one lies beside the file.
    [[noreturn]] void fail(const std::string &message) const;

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
    std::string path_;
};

// Command-line words arrive as UTF-8; passwords key the codec by their GBK
// bytes and statements reach the engine in GBK, the stored texts' encoding.
// Throws Failure for a character GBK lacks.
std::string gbkBytes(const std::string &utf8);

} // namespace torvik::cli
