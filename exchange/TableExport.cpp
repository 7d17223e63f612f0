#include "exchange/TableExport.h"

#include "dataset/DataSet.h"
#include "exchange/FileError.h"

#include <QSaveFile>

namespace torvik::exchange {

namespace {

void writeRow(ExportWriter &writer, const dataset::TFields &fields)
{
    writer.beginRow();
    for (int i = 0; i < fields.Count(); ++i) {
        const dataset::TField &field = *fields[i];
        writer.value(field.AsString(), field.DataType() == dataset::ftBlob);
    }
    writer.endRow();
}

} // namespace

QString exportFileName(const QString &chosen, ExportType type)
{
    switch (type) {
    case ExportType::Text:
        return chosen.toUpper().contains(QLatin1String(".TXT")) ? chosen : chosen + QLatin1String(".txt");
    case ExportType::Xml:
        return chosen.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ? chosen : chosen + QLatin1String(".xml");
    case ExportType::Html:
        return chosen.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
                       || chosen.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
                   ? chosen
                   : chosen + QLatin1String(".html");
    }
    return chosen;
}

QString exportFileFilter(ExportType type)
{
    switch (type) {
    case ExportType::Xml:
        return QStringLiteral("XML 文件 (*.Xml)");
    case ExportType::Html:
        return QStringLiteral("HTML 文件 (*.Htm *.Html)");
    case ExportType::Text:
        break;
    }
    return QStringLiteral("文本文件 (*.txt)");
}

void exportTable(dataset::TDataSet &table, const std::string &tableName, const ExportOptions &options,
                 const std::vector<int32_t> *selected, const QString &path, ExchangeProgress &progress)
{
    const dataset::TFields &fields = table.Fields();
    std::vector<std::string> names;
    names.reserve(size_t(fields.Count()));
    for (int i = 0; i < fields.Count(); ++i)
        names.push_back(fields[i]->FieldName());

    const int rows = selected ? int(selected->size()) : table.RecordCount();
    ProgressShown shown(progress);
    progress.setTotal(rows + fields.Count() + 2);

    ExportWriter writer(options, tableName, std::move(names));
    progress.step();
    for (int n = writer.begin(); n > 0; --n)
        progress.step();
    if (selected) {
        for (const int32_t id : *selected) {
            table.GotoBookmark(id);
            writeRow(writer, fields);
            progress.step();
        }
    } else {
        for (table.First(); !table.Eof(); table.Next()) {
            writeRow(writer, fields);
            progress.step();
        }
    }
    saveWholeFile(path, writer.finish());
    progress.step();
}

void saveWholeFile(const QString &path, const ExportBytes &pieces)
{
    QSaveFile file(path);
    // Written in place when the folder does not let a temporary file be
    // renamed over it (a file shared with the game server, say).
    file.setDirectWriteFallback(true);
    bool written = file.open(QIODevice::WriteOnly);
    for (auto piece = pieces.begin(); written && piece != pieces.end(); ++piece)
        written = file.write(piece->data(), qint64(piece->size())) == qint64(piece->size());
    written = written && file.commit();
    if (!written)
        throwFileError(QStringLiteral("无法写入文件"), path, file.errorString());
}

} // namespace torvik::exchange
