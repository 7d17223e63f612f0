// The pieces of the exchanged text: hexadecimal, the values of a line, line
// splitting, the file-name rule and the bytes of each layout.

#include "exchange/ExportLayout.h"
#include "exchange/HexText.h"
#include "exchange/LineValues.h"
#include "exchange/TableExport.h"
#include "tests/support/TestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace torvik;
using namespace torvik::exchange;

namespace {

std::vector<std::string> allValues(std::string_view line, char separator, int fields)
{
    LineValues values(line, separator);
    std::vector<std::string> out;
    for (int i = 0; i < fields; ++i)
        out.emplace_back(values.next());
    return out;
}

std::string layout(const ExportOptions &options, const std::vector<std::string> &names,
                   const std::vector<std::vector<std::string>> &rows, const std::vector<bool> &blob = {})
{
    ExportWriter writer(options, "T", names);
    writer.begin();
    for (const auto &row : rows) {
        writer.beginRow();
        for (size_t i = 0; i < row.size(); ++i)
            writer.value(row[i], i < blob.size() && blob[i]);
        writer.endRow();
    }
    std::string whole;
    for (const std::string &piece : writer.finish())
        whole += piece;
    return whole;
}

} // namespace

TEST(HexText, EncodesUppercaseAndDecodesEitherCase)
{
    EXPECT_EQ(toHex(std::string("\x00\xAB\xFF", 3)), "00ABFF");
    EXPECT_EQ(toHex(""), "");
    struct Case {
        const char *text;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"00abFF", std::string("\x00\xAB\xFF", 3)},
        {"A", std::string()},            // fewer than two characters: no bytes
        {"", std::string()},
        {"414", std::string("A")},       // the odd last character is ignored
        {"4G", std::nullopt},            // not a hexadecimal digit: refused, never garbage
        {"41 42", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fromHex(c.text), c.bytes) << c.text;
}

TEST(LineValues, FollowTheNextValueRule)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(allValues("a;;c", ';', 3), (V{"a", "", "c"}));
    EXPECT_EQ(allValues("a;b;", ';', 3), (V{"a", "b", ""}));
    EXPECT_EQ(allValues("a", ';', 3), (V{"a", "", ""}));          // fields past the values: empty
    EXPECT_EQ(allValues("a;b;c;d", ';', 2), (V{"a", "b"}));       // extra values ignored
    EXPECT_EQ(allValues(" a ;\"b\"", ';', 2), (V{" a ", "\"b\""})); // not trimmed, quotes mean nothing
    EXPECT_EQ(allValues("1\t2", '\t', 2), (V{"1", "2"}));
}

TEST(LineValues, SplitsAtEveryKindOfLineEnd)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(splitLines("\r\n"), (V{""}));
    EXPECT_EQ(splitLines(""), V{});
    EXPECT_EQ(splitLines("a\r"), (V{"a"}));
    EXPECT_EQ(splitLines("\n\r\nb"), (V{"", "", "b"}));
}

TEST(ExportFileName, FollowsTheTypeRules)
{
    struct Case {
        const char *chosen;
        ExportType type;
        const char *written;
    };
    const Case cases[] = {
        {"items", ExportType::Text, "items.txt"},
        {"items.csv", ExportType::Text, "items.csv.txt"},
        {"ITEMS.Txt", ExportType::Text, "ITEMS.Txt"},
        {"a.txt.bak", ExportType::Text, "a.txt.bak"},
        {"/d/x.txt/items", ExportType::Text, "/d/x.txt/items"},
        {"items", ExportType::Xml, "items.xml"},
        {"items.XML", ExportType::Xml, "items.XML"},
        {"items.txt", ExportType::Xml, "items.txt.xml"},
        {"items", ExportType::Html, "items.html"},
        {"items.Htm", ExportType::Html, "items.Htm"},
        {"items.html", ExportType::Html, "items.html"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(exportFileName(c.chosen, c.type), QString::fromUtf8(c.written)) << c.chosen;
}

TEST(TextLayout, IsByteForByteTheExportLayout)
{
    const std::vector<std::string> names{"Name", "Price"};
    const std::vector<std::vector<std::string>> rows{{"sword", "100"}, {"shield", ""}};
    EXPECT_EQ(layout({ExportType::Text, ';', true}, names, rows), ";Name;Price\r\nsword;100\r\nshield;\r\n\r\n");
    EXPECT_EQ(layout({ExportType::Text, ';', false}, names, rows), "sword;100\r\nshield;\r\n\r\n");
    EXPECT_EQ(layout({ExportType::Text, ';', true}, names, {}), ";Name;Price\r\n\r\n");
    EXPECT_EQ(layout({ExportType::Text, ';', false}, names, {}), "\r\n");
    EXPECT_EQ(layout({ExportType::Text, '\t', false}, names, {{"a;b", ""}}), "a;b\t\r\n\r\n");
    EXPECT_EQ(layout({ExportType::Text, ',', false}, {"B", "N"}, {{std::string("\x00\xAB\xFF", 3), ""}, {"", "x"}},
                     {true, false}),
              "00ABFF,\r\n,x\r\n\r\n");
}

TEST(MarkupLayouts, EscapeNamesAndValuesAndParse)
{
    const std::vector<std::string> names{"Name", "a<b"};
    // GBK "屠龙", markup characters, a blob, and bytes that are not GBK.
    const std::vector<std::vector<std::string>> rows{{"\xCD\xC0\xC1\xFA&<>\"", std::string("\x00\x01", 2)},
                                                     {"\x81", "ok"}};
    const std::string xml = layout({ExportType::Xml}, names, rows, {false, true});
    EXPECT_NE(xml.find("<?xml version=\"1.0\" encoding=\"GBK\"?>"), std::string::npos);
    EXPECT_NE(xml.find("<field name=\"Name\">\xCD\xC0\xC1\xFA&amp;&lt;&gt;&quot;</field>"), std::string::npos);
    EXPECT_NE(xml.find("<field name=\"a&lt;b\" encoding=\"hex\">0001</field>"), std::string::npos);
    EXPECT_NE(xml.find("<field name=\"Name\" encoding=\"hex\">81</field>"), std::string::npos);

    const std::string html = layout({ExportType::Html}, names, rows, {false, true});
    EXPECT_NE(html.find("<meta charset=\"GBK\">"), std::string::npos);
    EXPECT_NE(html.find("<thead>\r\n<tr><th>Name</th><th>a&lt;b</th></tr>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>\xCD\xC0\xC1\xFA&amp;&lt;&gt;&quot;</td><td class=\"hex\">0001</td></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("</tbody>\r\n</table>\r\n</body>\r\n</html>"), std::string::npos);

    // A standard parser takes the XML, and reads the Chinese name back.
    test::ScratchDir dir;
    const QString file = dir.path("t.xml");
    test::writeFileBytes(file, xml);
    QProcess lint;
    lint.start("xmllint", {"--xpath", "string(/table/record[1]/field[1])", file});
    ASSERT_TRUE(lint.waitForFinished(30000)) << "xmllint (libxml2-utils) is needed";
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(lint.readAllStandardOutput()).trimmed(), QString::fromUtf8("屠龙&<>\""));
}
