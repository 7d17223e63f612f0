#pragma once

// The lines of the import dialog's text area. A loaded file stays as its GBK
// bytes: a million-line export takes about its own size in memory, only the
// lines on screen are ever decoded, and the lines the import takes reach it
// byte for byte as the file held them. A line the user edits is held as
// Unicode and turned back into GBK when it is imported.

#include "exchange/TableImport.h"
#include "text/Gbk.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvik::exchange {

class TextAreaLines : public ImportLines {
public:
    // One empty line, as an empty text area shows.
    TextAreaLines();
    TextAreaLines(TextAreaLines &&) noexcept = default;
    TextAreaLines &operator=(TextAreaLines &&) noexcept = default;

    // The lines of an exported file, without its title lines (first character
    // ";"). Every line must be GBK text that reads back as the same bytes;
    // otherwise the answer is empty and *badLine is the first such line's
    // number in the file, from 1.
    static std::optional<TextAreaLines> fromExportedBytes(std::string bytes, int *badLine);
    // The lines of a text, split at line breaks.
    static TextAreaLines fromText(const QString &text);

    // The lines the area shows: at least one.
    int lineCount() const { return int(lines_.size()); }
    QString text(int index) const;
    // The text with its lines joined by "\n".
    QString plainText() const;
    // The longest line, in characters or bytes, whichever is larger: enough
    // to size a scroll range without decoding every line.
    int widestLineEstimate() const { return widest_; }

    void setText(int index, const QString &text);
    // The lines are inserted before line `at` (lineCount() appends).
    void insertLines(int at, const QStringList &texts);
    void removeLines(int first, int count);

    // ImportLines: an area holding one empty line has no lines to import.
    int count() const override;
    // Throws text::GbkEncodingError for a typed character GBK cannot hold.
    std::string_view line(int index, std::string &buffer) override;

private:
    static constexpr int32_t kFromFile = -1;
    struct Line {
        size_t offset = 0;         // of the file's bytes, for a line from the file
        uint32_t length = 0;       // in bytes, for a line from the file
        int32_t edited = kFromFile; // or the index of its text in edited_
    };
    Line editedLine(const QString &text);
    void droppedFromFile(int lines);

    std::string bytes_;
    std::vector<Line> lines_;
    std::vector<QString> edited_;
    int fromFile_ = 0; // lines that read bytes_
    int widest_ = 0;
    text::GbkBatchEncoder encoder_;
};

} // namespace torvik::exchange
