#include "exchange/TextAreaLoad.h"

#include "exchange/LineValues.h"
#include "exchange/TextFileLines.h"
#include "ui/ModalUi.h"

#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <cassert>
#include <memory>

namespace torvik::exchange {

namespace {

constexpr qint64 kChunk = 8 << 20;

bool isAscii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Decodes lines one after another into a document, refusing a line whose
// bytes are not GBK text that encodes back to the same bytes.
class LineDecoder {
public:
    explicit LineDecoder(QTextDocument &document) : cursor_(&document) {}

    // False when the line is not GBK text.
    bool add(std::string_view line)
    {
        if (!first_)
            pending_ += QChar::LineFeed;
        first_ = false;
        if (isAscii(line)) {
            pending_ += QLatin1StringView(line.data(), qsizetype(line.size()));
        } else {
            const QString decoded = decoder_.decode(QByteArrayView(line.data(), qsizetype(line.size())));
            if (decoder_.hasError() || decoded.contains(QChar::ReplacementCharacter) || !encoder_.encode(decoded, check_)
                || check_ != line)
                return false;
            pending_ += decoded;
        }
        if (pending_.size() > kChunk)
            flush();
        return true;
    }

    void flush()
    {
        cursor_.insertText(pending_);
        pending_.clear();
    }

private:
    QTextCursor cursor_;
    QString pending_;
    bool first_ = true;
    QStringDecoder decoder_{"GBK", QStringConverter::Flag::Stateless};
    text::GbkBatchEncoder encoder_;
    std::string check_;
};

void refuse(QPlainTextEdit &area, const QString &text)
{
    ui::modalUi().message(
        {area.window(), QStringLiteral("错误"), text, ui::MessageIcon::Error, ui::MessageButtons::Ok});
}

} // namespace

void loadExportedText(QPlainTextEdit &area, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(area, QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString()));
        return;
    }
    // Built aside and shown when complete: a refused file leaves the area as
    // it was, and the area does not redraw while lines arrive.
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    LineDecoder lines(*document);

    std::string carry;
    int lineNumber = 0;
    for (bool atEnd = false; !atEnd;) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty() && file.error() != QFile::NoError) {
            refuse(area, QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString()));
            return;
        }
        atEnd = chunk.isEmpty();
        carry.append(chunk.constData(), size_t(chunk.size()));
        // Whole lines only, so that a CR LF split between two chunks stays one break.
        const size_t lastBreak = atEnd ? carry.size() : carry.rfind('\n');
        if (lastBreak == std::string::npos)
            continue;
        const size_t take = atEnd ? carry.size() : lastBreak + 1;
        for (const std::string_view line : splitLines(std::string_view(carry).substr(0, take))) {
            ++lineNumber;
            if (isTitleLine(line))
                continue;
            if (!lines.add(line)) {
                refuse(area, QStringLiteral("文件“%1”的第%2行不是有效的GBK文本，无法导入。").arg(path).arg(lineNumber));
                return;
            }
        }
        carry.erase(0, take);
    }
    lines.flush();
    // Laid out once, when all lines are in: a layout that follows every
    // insertion makes a large file load many times slower.
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    area.setDocument(document.release());
    area.document()->setParent(&area);
}

TextAreaLines::TextAreaLines(const QTextDocument &document)
    : document_(document), count_(document.blockCount()), block_(document.firstBlock())
{
    // An empty area holds one empty block: no lines.
    if (count_ == 1 && block_.length() <= 1)
        count_ = 0;
}

std::string_view TextAreaLines::line(int index, std::string &buffer)
{
    if (index != blockIndex_) {
        block_ = document_.findBlockByNumber(index);
        blockIndex_ = index;
    }
    assert(block_.isValid());
    const QString text = block_.text();
    block_ = block_.next();
    ++blockIndex_;
    if (!encoder_.encode(text, buffer))
        buffer = text::toGbk(text); // throws, naming the character
    return buffer;
}

} // namespace torvik::exchange
