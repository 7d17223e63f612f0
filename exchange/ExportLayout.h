#pragma once

// The bytes of an exported file, built in memory and written in one piece.
//
// Text: an optional title line (";" and the field names joined by the
// separator), one line per row (the field texts joined by the separator,
// blobs in hexadecimal, nothing quoted), every line ending in CR LF, and one
// empty line at the end.
//
// XML and HTML hold the same rows, with names and values escaped and the
// encoding declared as what the bytes are (GBK). Blobs, and texts that a
// parser could not take (bytes that are not GBK, control characters), are
// written in hexadecimal and marked so.

#include <string>
#include <string_view>
#include <vector>

namespace torvik::exchange {

// The order is the wizard's list of file types.
// A file's bytes in the order they are written, in pieces.
using ExportBytes = std::vector<std::string>;

enum class ExportType { Xml = 0, Html = 1, Text = 2 };

struct ExportOptions {
    ExportType type = ExportType::Text;
    char separator = ';';
    bool titles = false; // text only: the title line
};

class ExportWriter {
public:
    // Names are the system's 8-bit (GBK) texts.
    ExportWriter(const ExportOptions &options, std::string tableName, std::vector<std::string> fieldNames);

    // The document's start and, where the type has one (a text with titles,
    // the HTML header row), the title line. Answers how many field names it
    // wrote.
    int begin();
    void beginRow();
    // The next field's text of the row; blob: the value is bytes.
    void value(std::string_view text, bool blob);
    void endRow();
    // The document's end; answers the whole file.
    ExportBytes finish();

private:
    void markup(std::string_view text) { out_.append(text); }
    void escaped(std::string_view text);
    void cellValue(std::string_view text, bool blob);

    ExportOptions options_;
    std::string tableName_;
    std::vector<std::string> fieldNames_;
    ExportBytes pieces_; // written before out_
    std::string out_;
    size_t column_ = 0;
};

} // namespace torvik::exchange
