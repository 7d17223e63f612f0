#include "exchange/TextFileLines.h"

#include "exchange/FileError.h"
#include "exchange/LineValues.h"

#include <QFile>

#include <algorithm>

namespace torvik::exchange {

TextFileLines::TextFileLines(std::string bytes) : bytes_(std::move(bytes)), lines_(splitLines(bytes_)) {}

std::string_view TextFileLines::line(int index, std::string &)
{
    const std::string_view line = lines_[size_t(index)];
    return isTitleLine(line) ? std::string_view() : line;
}

std::string readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(QStringLiteral("无法读取文件"), path, file.errorString());
    // Read straight into the answer: a copy through a byte array would take
    // twice the file's size for a moment.
    std::string bytes(size_t(std::max<qint64>(file.size(), 0)), '\0');
    qint64 filled = 0;
    qint64 got = 0;
    while (filled < qint64(bytes.size()) && (got = file.read(bytes.data() + filled, qint64(bytes.size()) - filled)) > 0)
        filled += got;
    bytes.resize(size_t(filled));
    // What lies beyond the size the file had when opened (it grew, or it has none).
    char more[1 << 16];
    while (got >= 0 && (got = file.read(more, sizeof more)) > 0)
        bytes.append(more, size_t(got));
    if (got < 0)
        throwFileError(QStringLiteral("无法读取文件"), path, file.errorString());
    return bytes;
}

} // namespace torvik::exchange
