#pragma once

// Exported text in the import dialog's text area. The area holds Unicode,
// the file and the database hold GBK bytes: a file is loaded only when every
// line turns into Unicode and back into the same bytes, and every line the
// import takes is turned back without loss, so no byte is altered on the way
// and nothing is stored as "?" or U+FFFD.

#include "exchange/TableImport.h"
#include "text/Gbk.h"

#include <QTextBlock>

class QPlainTextEdit;
class QTextDocument;

namespace torvik::exchange {

// Replaces the area's text with the file's lines, without its title lines
// (first character ";"). A file that cannot be read, or holds a line that is
// not GBK text, changes nothing and is reported in a message box owned by
// the area's window, naming the first bad line.
void loadExportedText(QPlainTextEdit &area, const QString &path);

// The lines of a text area, each as GBK bytes.
class TextAreaLines : public ImportLines {
public:
    explicit TextAreaLines(const QTextDocument &document);

    int count() const override { return count_; }
    // Lines are asked for in order. Throws text::GbkEncodingError for a
    // character GBK cannot hold (one the user typed).
    std::string_view line(int index, std::string &buffer) override;

private:
    const QTextDocument &document_;
    int count_;
    QTextBlock block_;
    int blockIndex_ = 0;
    text::GbkBatchEncoder encoder_;
};

} // namespace torvik::exchange
