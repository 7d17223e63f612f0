// Export and import over a table dataset set up as the editor's window sets
// up its own, read back through another connection.

#include "exchange/ParadoxTable.h"
#include "exchange/TableExport.h"
#include "exchange/TableImport.h"
#include "exchange/TextFileLines.h"
#include "tests/dataset/DatasetTestSupport.h"
#include "tests/support/OpenAsEditor.h"
#include "text/Gbk.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace torvik;
using namespace torvik::exchange;
using test::queryRaw;
using test::queryValue;

namespace {

const std::vector<std::string> kGameTables{"StdItems", "Monster", "Magic", "Evil", "TaoistPet"};

struct OpenTable {
    OpenTable(const QString &path, const std::string &name)
    {
        test::openAsEditor(db, table, path, name);
    }
    QObject owner;
    dataset::TSqliteDB db{&owner};
    dataset::TSqliteTable table{&owner};
};

class CountingProgress : public ExchangeProgress {
public:
    void start() override { shown = true, done = 0; }
    void setTotal(int t) override { total = t; }
    void step() override { ++done; }
    void finish() override { shown = false; }
    bool shown = false;
    int total = 0;
    int done = 0;
};

ImportOutcome importText(OpenTable &target, const std::string &bytes, char separator = ';')
{
    TextFileLines lines(bytes);
    NoProgress none;
    return inExclusiveImport(target.db, none, [&] { return importTextRows(target.table, lines, separator, none); });
}

ImportOutcome importParadox(OpenTable &target, const QString &file)
{
    ParadoxTable source(file);
    NoProgress none;
    return inExclusiveImport(target.db, none, [&] { return importParadoxRows(target.table, source, none, [] {}); });
}

// The rows as the editor's table dataset reads them: each field's bytes
// (texts as GBK, blobs as stored) and, but for blob types, whether it has a
// value; the layer writes every blob-type field as a blob, an unset memo as
// an empty one, so there NULL and empty read alike.
std::vector<std::string> datasetRows(const QString &path, const std::string &name)
{
    OpenTable t(path, name);
    std::vector<std::string> rows;
    for (t.table.First(); !t.table.Eof(); t.table.Next()) {
        std::string row;
        for (int f = 0; f < t.table.FieldCount(); ++f) {
            const dataset::TField &field = *t.table.Fields()[f];
            if (field.IsNull() && !field.IsBlob()) {
                row += "<null>";
            } else {
                row += '[';
                row += field.AsString();
                row += ']';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

class TableExchange : public ::testing::Test {
protected:
    test::ScratchDir dir;
};

} // namespace

TEST_F(TableExchange, ExportedGameTablesImportBackAsTheSameRows)
{
    const QString source = dir.copyFixture("game-plain.db");
    const QString target = dir.copyFixture("game-plain.db", "copy.db");
    for (const std::string &name : kGameTables) {
        const QString file = dir.path(QString::fromStdString(name) + ".txt");
        {
            OpenTable from(source, name);
            CountingProgress progress;
            exportTable(from.table, name, {ExportType::Text, ';', true}, nullptr, file, progress);
            EXPECT_EQ(progress.total, from.table.RecordCount() + from.table.FieldCount() + 2) << name;
            EXPECT_EQ(progress.done, progress.total) << name;
            EXPECT_FALSE(progress.shown);
        }
        const std::string bytes = test::readFileBytes(file);
        ASSERT_EQ(bytes.rfind(";", 0), 0u) << name; // the title line first
        ASSERT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n") << name;

        {
            OpenTable into(target, name);
            EXPECT_EQ(importText(into, bytes).rowsAdded, std::stoi(queryValue(source, "select count(*) from " + name)))
                << name;
        }
        const std::vector<std::string> original = datasetRows(source, name);
        const std::vector<std::string> now = datasetRows(target, name);
        ASSERT_EQ(now.size(), 2 * original.size()) << name;
        for (size_t i = 0; i < now.size(); ++i)
            EXPECT_EQ(now[i], original[i % original.size()]) << name << " row " << i;
    }
}

TEST_F(TableExchange, BlobsNullsAndGbkTextsSurviveTheRoundTrip)
{
    const QString path = dir.path("b.db");
    test::execRaw(path, "create table T (Name CHAR(20), Data BLOB, N INTEGER, F REAL);"
                        "insert into T values ('\xCD\xC0\xC1\xFA', x'00ABFF', 5, 1.5);"
                        "insert into T values (NULL, NULL, NULL, NULL);"
                        "insert into T values ('a', x'', -3, 0.25)");
    const QString file = dir.path("t.txt");
    {
        OpenTable t(path, "T");
        NoProgress none;
        exportTable(t.table, "T", {ExportType::Text, ',', false}, nullptr, file, none);
    }
    EXPECT_EQ(test::readFileBytes(file), "\xCD\xC0\xC1\xFA,00ABFF,5,1.5\r\n,,,\r\na,,-3,0.25\r\n\r\n");
    OpenTable t(path, "T");
    EXPECT_EQ(importText(t, test::readFileBytes(file), ',').rowsAdded, 3);
    // The empty blob comes back as NULL: the layout writes both alike.
    const auto rows = queryRaw(path, "select Name, hex(Data), N, F from T where rowid > 3 order by rowid");
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"\xCD\xC0\xC1\xFA", "00ABFF", "5", "1.5"}, {"NULL", "", "NULL", "NULL"}, {"a", "", "-3", "0.25"}}));
}

TEST_F(TableExchange, SelectedRowsAreExportedInBookmarkOrder)
{
    const QString path = dir.copyFixture("game-plain.db");
    OpenTable t(path, "Evil");
    std::vector<std::string> expected;
    for (int id : {0, 2}) {
        t.table.GotoBookmark(id);
        std::string line;
        for (int f = 0; f < t.table.FieldCount(); ++f) {
            if (f > 0)
                line += ';';
            line += t.table.Fields()[f]->AsString();
        }
        expected.push_back(line);
    }
    const std::vector<int32_t> selected{0, 2};
    NoProgress none;
    exportTable(t.table, "Evil", {}, &selected, dir.path("e.txt"), none);
    EXPECT_EQ(test::readFileBytes(dir.path("e.txt")), expected[0] + "\r\n" + expected[1] + "\r\n\r\n");
}

TEST_F(TableExchange, ARefusedRowKeepsTheRowsBeforeItAndNamesItsLine)
{
    const QString path = dir.path("r.db");
    test::execRaw(path, "create table T (Name TEXT, N INTEGER, Data BLOB)");
    struct Case {
        std::string text;
        std::string reason; // part of the message
    };
    const Case cases[] = {
        {"a;1;00\r\nb;x;00\r\nc;3;00\r\n", "'x' is not a valid integer value for field 'N'"},
        {"a;1;00\r\n\r\nb;2;0G\r\nc;3;00\r\n", "\xD6\xB5\xB2\xBB\xCA\xC7\xCA\xAE\xC1\xF9\xBD\xF8\xD6\xC6"}, // 值不是十六进制
    };
    int line = 2;
    for (const Case &c : cases) {
        test::execRaw(path, "delete from T");
        OpenTable t(path, "T");
        try {
            importText(t, c.text);
            ADD_FAILURE() << "the row was not refused";
        } catch (const ImportRefused &e) {
            EXPECT_EQ(e.rowsAdded(), 1);
            const std::string where = text::toGbk(QStringLiteral("第%1行：").arg(line));
            EXPECT_EQ(e.message().rfind(where, 0), 0u) << text::gbkToUtf8(e.message());
            EXPECT_NE(e.message().find(c.reason), std::string::npos) << text::gbkToUtf8(e.message());
        }
        // Committed: another connection sees the row before, and only it.
        EXPECT_EQ(queryRaw(path, "select Name from T"), (std::vector<std::vector<std::string>>{{"a"}}));
        line = 3;
    }
}

TEST_F(TableExchange, LinesWithoutTheSeparatorAreSkipped)
{
    const QString path = dir.path("s.db");
    test::execRaw(path, "create table T (A TEXT, B TEXT)");
    OpenTable t(path, "T");
    CountingProgress progress;
    TextFileLines lines(";A;B\r\nx;y\r\nnoseparator\r\n\r\n,\r\n");
    const ImportOutcome outcome =
        inExclusiveImport(t.db, progress, [&] { return importTextRows(t.table, lines, ';', progress); });
    EXPECT_EQ(outcome.rowsAdded, 1);
    EXPECT_EQ(progress.total, 5 + 2);
    EXPECT_EQ(progress.done, 5 + 2);
    EXPECT_EQ(queryRaw(path, "select A, B from T"), (std::vector<std::vector<std::string>>{{"x", "y"}}));
}

TEST_F(TableExchange, ParadoxItemsImportByNameIgnoringCase)
{
    const QString path = dir.copyFixture("game-plain.db");
    const std::string before = queryValue(path, "select max(rowid) from StdItems");
    OpenTable t(path, "StdItems");
    EXPECT_EQ(importParadox(t, test::fixturePath("paradox/StdItems.DB")).rowsAdded, 4);
    const auto rows = queryRaw(path, "select Idx, Name, StdMode, Looks, Price from StdItems where rowid > " + before +
                                         " order by rowid");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"0", text::toGbk(QStringLiteral("金创药(小量)")), "0", "1", "50"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", text::toGbk(QStringLiteral("木剑")), "5", "30", "200"}));
}

TEST_F(TableExchange, ParadoxFieldsOfEveryTypeReadAsText)
{
    ParadoxTable source(test::fixturePath("paradox/TypSammlung.DB"));
    ASSERT_EQ(source.recordCount(), 5);
    ASSERT_EQ(source.fieldCount(), 14);
    EXPECT_EQ(source.findField(QString::fromUtf8("WÄHRUNG")), 2); // names in the table's code page, any case
    source.readRecord(0);
    EXPECT_EQ(source.text(source.findField("Alpha")), "AAA Irgendein Text");
    EXPECT_EQ(source.text(source.findField("Numerisch")), "40");
    EXPECT_EQ(source.text(source.findField("BCD")), "40");

    // Typed target fields take every value as the import hands it over.
    const QString path = dir.path("t.db");
    test::execRaw(path, "create table T (Alpha CHAR(40), Numerisch REAL, BCD REAL, Datum CHAR(30), Zeit CHAR(30), "
                        "Memo MEMO, Logisch BOOLEAN, Bytes BLOB)");
    OpenTable t(path, "T");
    NoProgress none;
    const ImportOutcome outcome =
        inExclusiveImport(t.db, none, [&] { return importParadoxRows(t.table, source, none, [] {}); });
    EXPECT_EQ(outcome.rowsAdded, 5);
    EXPECT_EQ(queryRaw(path, "select Alpha, Numerisch, BCD, Logisch from T where rowid = 2"),
              (std::vector<std::vector<std::string>>{{"Erste Zeile", "23.0", "0.0", "False"}})); // BCD unreadable: "0"
}

TEST_F(TableExchange, ParadoxBlobsBecomeHexThatDecodesToTheSameBytes)
{
    ParadoxTable fish(test::fixturePath("paradox/biolife.db"));
    ASSERT_EQ(fish.recordCount(), 28);
    const int graphic = fish.findField("graphic");
    const int notes = fish.findField("NOTES");
    ASSERT_GE(graphic, 0);
    ASSERT_GE(notes, 0);
    fish.readRecord(0);
    const std::string hex = fish.text(graphic);
    EXPECT_GT(hex.size(), 1000u);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(fish.text(notes).rfind("Also known as the big spotted triggerfish.", 0), 0u);

    const QString path = dir.path("f.db");
    test::execRaw(path, "create table Fish (Category TEXT, Graphic BLOB)");
    OpenTable t(path, "Fish");
    EXPECT_EQ(importParadox(t, test::fixturePath("paradox/biolife.db")).rowsAdded, 28);
    EXPECT_EQ(queryValue(path, "select hex(Graphic) from Fish where rowid = 1"), hex);
}

TEST_F(TableExchange, EmptyDamagedAndForeignParadoxFilesChangeNothing)
{
    const QString path = dir.copyFixture("game-plain.db");
    {
        OpenTable t(path, "StdItems");
        EXPECT_EQ(importParadox(t, test::fixturePath("paradox/empty.db")).rowsAdded, 0);
    }
    const std::string unchanged = test::readFileBytes(path);

    const std::string country = test::readFileBytes(test::fixturePath("paradox/country.db"));
    std::vector<QString> refused{test::fixturePath("game-plain.db"), dir.path("missing.db")};
    for (size_t cut : {size_t(3000), size_t(2100), size_t(100), size_t(0)}) {
        const QString file = dir.path(QString("country-%1.db").arg(cut));
        test::writeFileBytes(file, country.substr(0, cut));
        refused.push_back(file);
    }
    // A header whose block chain loops.
    std::string looped = country;
    looped[0x800] = 1; // the first block's next block: itself
    looped[0x801] = 0;
    const QString loopFile = dir.path("loop.db");
    test::writeFileBytes(loopFile, looped);
    refused.push_back(loopFile);

    for (const QString &file : refused) {
        OpenTable t(path, "StdItems");
        const auto message = test::thrownMessage<dataset::EDatabaseError>([&] { importParadox(t, file); });
        ASSERT_TRUE(message) << file.toStdString();
        EXPECT_EQ(message->rfind(text::toGbk(QStringLiteral("无法读取Q7数据库文件")), 0), 0u)
            << text::gbkToUtf8(*message);
    }
    EXPECT_EQ(test::readFileBytes(path), unchanged);
}

TEST_F(TableExchange, DamagedParadoxBytesNeverCrashTheReader)
{
    // Every byte of the header area and of the first block's head, set to
    // values pxlib would take at their word: the reader refuses the file or
    // reads it; it never reads outside what it checked.
    for (const char *fixture : {"paradox/country.db", "paradox/biolife.db", "paradox/TypSammlung.DB"}) {
        const QString original = test::fixturePath(fixture);
        const std::string bytes = test::readFileBytes(original);
        const QString mb = original.left(original.size() - 2) + (original.endsWith("DB") ? "MB" : "mb");
        std::vector<size_t> offsets;
        for (size_t at = 0; at < 0x180; ++at)
            offsets.push_back(at);
        for (size_t at = 0x800; at < 0x810; ++at)
            offsets.push_back(at);
        for (const size_t at : offsets) {
            for (const unsigned char value : {0x00, 0x7F, 0xFF}) {
                std::string damaged = bytes;
                damaged[at] = char(value);
                const QString file = dir.path(QFileInfo(original).fileName());
                test::writeFileBytes(file, damaged);
                if (QFile::exists(mb))
                    QFile::copy(mb, dir.path(QFileInfo(mb).fileName()));
                try {
                    ParadoxTable table(file);
                    for (int r = 0; r < std::min(table.recordCount(), 3); ++r) {
                        table.readRecord(r);
                        for (int f = 0; f < table.fieldCount(); ++f) {
                            try {
                                table.text(f);
                            } catch (const dataset::EDatabaseError &) {
                            }
                        }
                    }
                } catch (const dataset::EDatabaseError &) {
                }
            }
        }
    }
}
