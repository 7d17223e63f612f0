#include "exchange/TableImport.h"

#include "dataset/DataSet.h"
#include "dataset/SqliteDB.h"
#include "exchange/HexText.h"
#include "exchange/LineValues.h"
#include "exchange/ParadoxTable.h"
#include "text/Gbk.h"

#include <QString>

#include <exception>

namespace torvik::exchange {

namespace {

std::string gbk(const QString &text)
{
    return text::toGbk(text);
}

// The message of whatever ended the row, as GBK.
std::string reasonOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const dataset::EDatasetLayerError &e) {
        return e.message();
    } catch (const text::GbkEncodingError &e) {
        // Named by its code: the character itself has no GBK form to show in.
        const char32_t code = e.offending().toUcs4().value(0);
        return gbk(QStringLiteral("字符 U+%1 无法以GBK编码保存").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper());
    } catch (const std::exception &e) {
        return e.what();
    }
}

// Runs one row; a failure comes back as ImportRefused naming where it was.
// The place is only spelled out for a failure: a million rows would
// otherwise format a million texts nobody reads.
template <typename Where, typename Fn>
void refusedAs(const Where &where, int rowsAdded, Fn &&row)
{
    try {
        row();
    } catch (const ImportRefused &) {
        throw;
    } catch (const std::exception &) {
        throw ImportRefused(gbk(where()) + reasonOf(std::current_exception()), rowsAdded);
    }
}

std::string hexBytes(std::string_view value, const dataset::TField &field)
{
    std::optional<std::string> bytes = fromHex(value);
    if (!bytes)
        throw dataset::EDatabaseError(gbk(QStringLiteral("字段“%1”的值不是十六进制文本")
                                              .arg(text::fromGbk(field.DisplayName()))));
    return std::move(*bytes);
}

void assign(dataset::TField &field, std::string_view value)
{
    // An empty value stands for a field without a value, which is how the
    // export writes one; an empty text or blob would not read back as NULL.
    if (value.empty())
        field.Clear();
    else if (field.DataType() == dataset::ftBlob)
        field.setAsString(hexBytes(value, field));
    else
        field.setAsString(std::string(value));
}

// The row is posted; its record number just before is remembered.
void post(dataset::TDataSet &table, ImportOutcome &outcome)
{
    const int recNo = table.RecNo();
    table.Post();
    outcome.lastRecNo = recNo;
    ++outcome.rowsAdded;
}

} // namespace

ImportOutcome importTextRows(dataset::TDataSet &table, ImportLines &lines, char separator,
                             ExchangeProgress &progress)
{
    ImportOutcome outcome;
    const int count = lines.count();
    progress.setTotal(count + 2);
    dataset::TFields &fields = table.Fields();
    std::string buffer;
    for (int i = 0; i < count; ++i) {
        refusedAs([i] { return QStringLiteral("第%1行：").arg(i + 1); }, outcome.rowsAdded, [&] {
            const std::string_view line = lines.line(i, buffer);
            if (line.empty() || line.find(separator) == std::string_view::npos)
                return;
            // Appended: the new rows get their row ids from the engine and
            // the table is read again afterwards, so their place in the
            // cache does not matter, and appending stays cheap for any count.
            table.Append();
            LineValues values(line, separator);
            for (int f = 0; f < fields.Count(); ++f)
                assign(*fields[f], values.next());
            post(table, outcome);
        });
        progress.step();
    }
    return outcome;
}

ImportOutcome importParadoxRows(dataset::TDataSet &table, ParadoxTable &source, ExchangeProgress &progress,
                                const std::function<void()> &processEvents)
{
    ImportOutcome outcome;
    const int count = source.recordCount();
    progress.setTotal(count + 2);
    dataset::TFields &fields = table.Fields();
    std::vector<int> sourceField;
    for (int f = 0; f < fields.Count(); ++f)
        sourceField.push_back(source.findField(text::fromGbk(fields[f]->FieldName())));
    for (int r = 0; r < count; ++r) {
        refusedAs([r] { return QStringLiteral("Q7数据库第%1条记录：").arg(r + 1); }, outcome.rowsAdded, [&] {
            source.readRecord(r);
            table.Append();
            for (int f = 0; f < fields.Count(); ++f) {
                if (sourceField[size_t(f)] >= 0) {
                    std::string value;
                    try {
                        value = source.text(sourceField[size_t(f)]);
                    } catch (const dataset::EDatabaseError &) {
                        value = "0"; // as the other family's reader gave an unreadable value
                    }
                    assign(*fields[f], value);
                }
                processEvents();
            }
            post(table, outcome);
        });
        processEvents();
        progress.step();
    }
    return outcome;
}

ImportOutcome inExclusiveImport(dataset::TSqliteDB &connection, ExchangeProgress &progress,
                                const std::function<ImportOutcome()> &rows)
{
    ProgressShown shown(progress);
    connection.BeginExclusive();
    progress.step();
    ImportOutcome outcome;
    try {
        outcome = rows();
    } catch (const std::exception &) {
        // The rows posted before the failure are kept.
        const std::exception_ptr failure = std::current_exception();
        try {
            connection.Commit();
        } catch (const std::exception &) {
            throw dataset::EDatabaseError(reasonOf(failure) + "\r\n" + reasonOf(std::current_exception()));
        }
        progress.step();
        std::rethrow_exception(failure);
    }
    connection.Commit();
    progress.step();
    return outcome;
}

} // namespace torvik::exchange
