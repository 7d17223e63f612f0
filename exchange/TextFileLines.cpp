#include "exchange/TextFileLines.h"

#include "exchange/FileError.h"
#include "exchange/LineValues.h"

#include <QFile>

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
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

} // namespace torvik::exchange
