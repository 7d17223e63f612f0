#include "exchange/TextAreaLines.h"

#include "exchange/LineValues.h"
#include "exchange/TextFileLines.h"

#include <QStringList>

#include <algorithm>
#include <cassert>
#include <climits>
#include <limits>

namespace torvik::exchange {

TextAreaLines::TextAreaLines()
{
    lines_.push_back(editedLine(QString()));
}

std::optional<TextAreaLines> TextAreaLines::fromExportedBytes(std::string bytes, int *badLine)
{
    TextAreaLines area;
    area.bytes_ = std::move(bytes);
    area.lines_.clear();
    const std::string_view all = area.bytes_;
    int lineNumber = 0;
    for (const std::string_view line : splitLines(all)) {
        ++lineNumber;
        if (isTitleLine(line))
            continue;
        if (!text::isExactGbk(line) || line.size() > std::numeric_limits<uint32_t>::max()) {
            if (badLine)
                *badLine = lineNumber;
            return std::nullopt;
        }
        area.lines_.push_back({size_t(line.data() - all.data()), uint32_t(line.size()), kFromFile});
        ++area.fromFile_;
        area.widest_ = std::max(area.widest_, int(std::min<size_t>(line.size(), INT_MAX)));
    }
    if (area.lines_.empty())
        area.lines_.push_back(area.editedLine(QString()));
    return area;
}

TextAreaLines TextAreaLines::fromText(const QString &text)
{
    TextAreaLines area;
    area.lines_.clear();
    area.edited_.clear();
    area.insertLines(0, text.split(QLatin1Char('\n')));
    return area;
}

TextAreaLines::Line TextAreaLines::editedLine(const QString &text)
{
    widest_ = std::max(widest_, int(text.size()));
    edited_.push_back(text);
    return {0, 0, int32_t(edited_.size() - 1)};
}

QString TextAreaLines::text(int index) const
{
    assert(index >= 0 && index < lineCount());
    const Line &line = lines_[size_t(index)];
    if (line.edited != kFromFile)
        return edited_[size_t(line.edited)];
    return text::fromGbk(std::string_view(bytes_).substr(line.offset, line.length));
}

QString TextAreaLines::plainText() const
{
    QString all;
    for (int i = 0; i < lineCount(); ++i) {
        if (i > 0)
            all += QLatin1Char('\n');
        all += text(i);
    }
    return all;
}

void TextAreaLines::setText(int index, const QString &text)
{
    assert(index >= 0 && index < lineCount());
    Line &line = lines_[size_t(index)];
    if (line.edited == kFromFile) {
        line = editedLine(text);
        droppedFromFile(1);
    } else {
        edited_[size_t(line.edited)] = text;
        widest_ = std::max(widest_, int(text.size()));
    }
}

void TextAreaLines::insertLines(int at, const QStringList &texts)
{
    assert(at >= 0 && at <= lineCount());
    std::vector<Line> added;
    added.reserve(size_t(texts.size()));
    for (const QString &text : texts)
        added.push_back(editedLine(text));
    lines_.insert(lines_.begin() + at, added.begin(), added.end());
}

void TextAreaLines::removeLines(int first, int count)
{
    assert(first >= 0 && count >= 0 && first + count <= lineCount());
    droppedFromFile(int(std::count_if(lines_.begin() + first, lines_.begin() + first + count,
                                      [](const Line &line) { return line.edited == kFromFile; })));
    lines_.erase(lines_.begin() + first, lines_.begin() + first + count);
    if (lines_.empty())
        lines_.push_back(editedLine(QString()));
}

void TextAreaLines::droppedFromFile(int lines)
{
    assert(lines <= fromFile_);
    fromFile_ -= lines;
    // No line reads the file's bytes any more (the area was emptied, say):
    // their memory goes back.
    if (fromFile_ == 0)
        std::string().swap(bytes_);
}

int TextAreaLines::count() const
{
    if (lineCount() == 1 && text(0).isEmpty())
        return 0;
    return lineCount();
}

std::string_view TextAreaLines::line(int index, std::string &buffer)
{
    assert(index >= 0 && index < lineCount());
    const Line &line = lines_[size_t(index)];
    if (line.edited == kFromFile)
        return std::string_view(bytes_).substr(line.offset, line.length);
    const QString &text = edited_[size_t(line.edited)];
    if (!encoder_.encode(text, buffer))
        buffer = text::toGbk(text); // throws, naming the character
    return buffer;
}

} // namespace torvik::exchange
