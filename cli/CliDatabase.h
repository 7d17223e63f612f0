#pragma once

// The database file a command works on, opened the way the editor opens it:
// through the page codec, keyed with the password's GBK bytes, probed before
// use.

#include <memory>
#include <optional>
#include <string>

struct sqlite3;

namespace torvik::cli {

class CliDatabase {
public:
    // Opens an existing file and keys it with a non-empty password given in
    // UTF-8. Throws Failure.
    CliDatabase(const std::string &path, const std::optional<std::string> &utf8Password);
    ~CliDatabase();
    CliDatabase(const CliDatabase &) = delete;
    CliDatabase &operator=(const CliDatabase &) = delete;

    // Throws Failure ("file is encrypted or is not a database") unless the
    // file reads as a database with the key given.
    void requireReadable();
    // Encrypts, re-keys or (empty password) decrypts the file. Throws Failure.
    void rekey(const std::string &utf8Password);

    sqlite3 *handle() const;
    // Throws Failure with the engine's message for its last error.
    [[noreturn]] void failWithEngineError() const;

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

// Command-line passwords arrive as UTF-8; the codec keys by their GBK bytes.
std::string passwordBytes(const std::string &utf8Password);

} // namespace torvik::cli
