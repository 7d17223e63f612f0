#pragma once

// Checks a Paradox table file before pxlib reads it. pxlib takes the sizes
// and block numbers of the header and the block chain as they are, so a
// damaged or truncated file could make it read past its buffers; everything
// it will rely on is checked here first.

#include <QFile>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvik::exchange {

struct ParadoxFieldInfo {
    uint8_t type = 0;
    int size = 0;     // bytes in the record
    int decimals = 0; // BCD only
};

struct ParadoxLayout {
    int recordSize = 0;
    int headerSize = 0;
    int blockSize = 0;
    int recordCount = 0;
    int codePage = 0;
    std::vector<ParadoxFieldInfo> fields;
};

// The layout of a sound table file. Throws ParadoxError naming what is wrong.
ParadoxLayout checkParadoxTable(const QString &path);

// The memo and blob file (.mb) beside a table. Read here rather than by
// pxlib: every offset and length a record gives is checked against the file
// and its block before a byte is read.
class ParadoxBlobFile {
public:
    ParadoxBlobFile() = default;
    // Throws ParadoxError when the file cannot be opened.
    explicit ParadoxBlobFile(const QString &path);

    // The value of a memo, blob or graphic field from the field's bytes in
    // the record (the leader, then offset, length and modification number);
    // none when it points outside the file or the file is missing.
    std::optional<std::string> read(const char *fieldData, int fieldSize);

private:
    QFile file_;
    qint64 size_ = 0;
};

// Why a Paradox file cannot be read, in words for the user.
class ParadoxError : public std::exception {
public:
    explicit ParadoxError(QString reason) : reason_(std::move(reason)) {}
    const QString &reason() const { return reason_; }
    const char *what() const noexcept override { return "Paradox table cannot be read"; }

private:
    QString reason_;
};

} // namespace torvik::exchange
