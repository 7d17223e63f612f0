#pragma once

// The lines of an exported text file, read as bytes, for an import that does
// not go through the dialog's text area (the command line). Title lines
// (first character ";") read as empty lines, so they are skipped as the
// dialog skips them, and every other line keeps its number in the file.

#include "exchange/TableImport.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace torvik::exchange {

class TextFileLines : public ImportLines {
public:
    explicit TextFileLines(std::string bytes);

    int count() const override { return int(lines_.size()); }
    std::string_view line(int index, std::string &buffer) override;

private:
    std::string bytes_;
    std::vector<std::string_view> lines_;
};

// A whole file's bytes; throws EDatabaseError when it cannot be read.
std::string readWholeFile(const QString &path);

// A title line of the text layout, which the import skips.
inline bool isTitleLine(std::string_view line)
{
    return !line.empty() && line.front() == ';';
}

} // namespace torvik::exchange
