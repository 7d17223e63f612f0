#include "exchange/ExportLayout.h"

#include "exchange/HexText.h"
#include "text/Gbk.h"

#include <cassert>

namespace torvik::exchange {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A large export grows piece by piece: one growing string would copy
// everything written so far each time it outgrows its memory.
constexpr size_t kPieceSize = size_t(4) << 20;

// XML 1.0 cannot hold these control characters even as references.
bool hasForbiddenControl(std::string_view text)
{
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
            return true;
    }
    return false;
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A text a parser reading GBK takes as it is.
bool isMarkupSafe(std::string_view text)
{
    return !hasForbiddenControl(text) && (isAscii(text) || text::fromGbkExact(text).has_value());
}

} // namespace

ExportWriter::ExportWriter(const ExportOptions &options, std::string tableName, std::vector<std::string> fieldNames)
    : options_(options), tableName_(std::move(tableName)), fieldNames_(std::move(fieldNames))
{
    out_.reserve(kPieceSize);
}

void ExportWriter::escaped(std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out_ += "&amp;"; break;
        case '<': out_ += "&lt;"; break;
        case '>': out_ += "&gt;"; break;
        case '"': out_ += "&quot;"; break;
        default: out_ += c;
        }
    }
}

int ExportWriter::begin()
{
    switch (options_.type) {
    case ExportType::Text:
        if (!options_.titles)
            return 0;
        out_ += ';';
        for (size_t i = 0; i < fieldNames_.size(); ++i) {
            if (i > 0)
                out_ += options_.separator;
            out_ += fieldNames_[i];
        }
        out_ += kLineEnd;
        return int(fieldNames_.size());
    case ExportType::Xml:
        markup("<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<table name=\"");
        escaped(tableName_);
        markup("\">\r\n");
        return 0;
    case ExportType::Html:
        markup("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"GBK\">\r\n<title>");
        escaped(tableName_);
        markup("</title>\r\n</head>\r\n<body>\r\n<table border=\"1\">\r\n<caption>");
        escaped(tableName_);
        markup("</caption>\r\n<thead>\r\n<tr>");
        for (const std::string &name : fieldNames_) {
            markup("<th>");
            escaped(name);
            markup("</th>");
        }
        markup("</tr>\r\n</thead>\r\n<tbody>\r\n");
        return int(fieldNames_.size());
    }
    return 0;
}

void ExportWriter::beginRow()
{
    column_ = 0;
    if (options_.type == ExportType::Xml)
        markup("   <record>\r\n");
    else if (options_.type == ExportType::Html)
        markup("<tr>");
}

void ExportWriter::cellValue(std::string_view text, bool blob)
{
    if (blob || !isMarkupSafe(text)) {
        markup(options_.type == ExportType::Xml ? " encoding=\"hex\">" : " class=\"hex\">");
        appendHex(out_, text);
    } else {
        out_ += '>';
        escaped(text);
    }
}

void ExportWriter::value(std::string_view text, bool blob)
{
    assert(column_ < fieldNames_.size());
    switch (options_.type) {
    case ExportType::Text:
        if (column_ > 0)
            out_ += options_.separator;
        if (blob)
            appendHex(out_, text);
        else
            out_.append(text);
        break;
    case ExportType::Xml:
        markup("      <field name=\"");
        escaped(fieldNames_[column_]);
        out_ += '"';
        cellValue(text, blob);
        markup("</field>\r\n");
        break;
    case ExportType::Html:
        markup("<td");
        cellValue(text, blob);
        markup("</td>");
        break;
    }
    ++column_;
}

void ExportWriter::endRow()
{
    if (options_.type == ExportType::Xml)
        markup("   </record>\r\n");
    else if (options_.type == ExportType::Html)
        markup("</tr>\r\n");
    else
        out_ += kLineEnd;
    if (out_.size() >= kPieceSize) {
        pieces_.push_back(std::move(out_));
        out_ = std::string();
        out_.reserve(kPieceSize);
    }
}

ExportBytes ExportWriter::finish()
{
    if (options_.type == ExportType::Xml)
        markup("</table>\r\n");
    else if (options_.type == ExportType::Html)
        markup("</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n");
    out_ += kLineEnd;
    pieces_.push_back(std::move(out_));
    return std::move(pieces_);
}


} // namespace torvik::exchange
