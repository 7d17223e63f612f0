#pragma once

// Exceptions of the dataset layer. Every message is the system's 8-bit text:
// GBK bytes, exactly as the layer builds them (engine messages pass through
// unchanged). Windows decode them with torvik::text::fromGbk for display.

#include <exception>
#include <string>

namespace torvik::dataset {

class EDatasetLayerError : public std::exception {
public:
    explicit EDatasetLayerError(std::string message) : message_(std::move(message)) {}
    const std::string &message() const { return message_; }
    const char *what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// The layer's own failures (missing properties, unsupported operations).
class ESqliteError : public EDatasetLayerError {
public:
    using EDatasetLayerError::EDatasetLayerError;
};

// Database failures: engine errors, field and bookmark errors.
class EDatabaseError : public EDatasetLayerError {
public:
    using EDatasetLayerError::EDatasetLayerError;
};

// A text that does not convert to the number or Boolean it should hold.
class EConvertError : public EDatasetLayerError {
public:
    using EDatasetLayerError::EDatasetLayerError;
};

// A field asked for something its type does not offer (a blob stream of a
// number field).
class EInvalidCast : public EDatasetLayerError {
public:
    using EDatasetLayerError::EDatasetLayerError;
};

// Replaces each "%s" of the pattern, in order, by the next argument.
std::string formatMessage(const std::string &pattern, std::initializer_list<std::string> args);

// "SQL语句:" in GBK: the marker before the statement in engine error messages.
extern const char *const kSqlStatementMarker;

} // namespace torvik::dataset
