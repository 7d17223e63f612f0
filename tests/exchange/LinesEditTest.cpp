// The import dialog's text area driven by keys and the mouse as a game
// master drives it, and what the import then reads from it.

#include "exchange/LinesEdit.h"
#include "exchange/TextAreaLoad.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypeText.h"
#include "text/Gbk.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace torvik;
using namespace torvik::exchange;
using Position = TLinesEdit::Position;

namespace {

// One step of a game master's typing: a key with its modifiers, or text.
struct Stroke {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
};

Stroke key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    return {k, m, {}};
}

Stroke typed(const char *utf8)
{
    return {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(utf8)};
}

struct Gui {
    Gui() { test::ensureGuiApplication(); }
};

struct Area : Gui {
    Area()
    {
        edit.resize(400, 200);
        edit.show();
        edit.setFocus();
    }
    void play(const std::vector<Stroke> &strokes)
    {
        for (const Stroke &stroke : strokes) {
            if (stroke.key == Qt::Key_unknown)
                test::typeText(&edit, stroke.text);
            else
                QTest::keyClick(&edit, stroke.key, stroke.modifiers);
        }
    }
    // The lines as the import reads them, in UTF-8 for readable failures.
    std::vector<std::string> importedLines()
    {
        std::vector<std::string> lines;
        std::string buffer;
        for (int i = 0; i < edit.lines().count(); ++i)
            lines.push_back(text::gbkToUtf8(edit.lines().line(i, buffer)));
        return lines;
    }
    TLinesEdit edit;
};

struct EditCase {
    const char *name;
    const char *start; // the area's text, the cursor at its start
    std::vector<Stroke> strokes;
    const char *text;  // afterwards
    Position cursor;
};

} // namespace

TEST(LinesEdit, KeysEditAsInAPlainTextBox)
{
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers control = Qt::ControlModifier;
    const EditCase cases[] = {
        {"typing into the empty area", "", {typed("1;屠龙")}, "1;屠龙", {0, 4}},
        {"Enter splits the line at the cursor", "ab;cd", {key(Qt::Key_Right), key(Qt::Key_Right), key(Qt::Key_Return)},
         "ab\n;cd", {1, 0}},
        {"Backspace at a line's start joins it to the one before", "ab\ncd",
         {key(Qt::Key_Down), key(Qt::Key_Backspace)}, "abcd", {0, 2}},
        {"Delete at a line's end joins the next one", "ab\ncd", {key(Qt::Key_End), key(Qt::Key_Delete)}, "abcd", {0, 2}},
        {"Delete inside a line removes one character", "屠龙;1", {key(Qt::Key_Delete)}, "龙;1", {0, 0}},
        {"Up and Down keep the column within the line", "abcdef\nab\nabcdef",
         {key(Qt::Key_End), key(Qt::Key_Down), key(Qt::Key_Down), typed("X")}, "abcdef\nab\nabXcdef", {2, 3}},
        {"Left at a line's start goes to the end of the one before", "ab\ncd",
         {key(Qt::Key_Down), key(Qt::Key_Left), typed("X")}, "abX\ncd", {0, 3}},
        {"a selection over lines is replaced by what is typed", "a;1\nb;2\nc;3",
         {key(Qt::Key_Right), key(Qt::Key_Down, shift), key(Qt::Key_Down, shift), typed("Z")}, "aZ;3", {0, 2}},
        {"Ctrl+A and Delete empty the area", "a;1\nb;2", {key(Qt::Key_A, control), key(Qt::Key_Delete)}, "", {0, 0}},
        {"Ctrl+End goes to the end of the last line", "a;1\nb;2", {key(Qt::Key_End, control), typed("9")}, "a;1\nb;29",
         {1, 4}},
        {"Tab types a tab", "ab", {key(Qt::Key_Right), key(Qt::Key_Tab)}, "a\tb", {0, 2}},
        {"Backspace in the empty area does nothing", "", {key(Qt::Key_Backspace), key(Qt::Key_Delete)}, "", {0, 0}},
        {"Shift+End then Backspace removes the rest of the line", "ab;cd\nx",
         {key(Qt::Key_Right), key(Qt::Key_End, shift), key(Qt::Key_Backspace)}, "a\nx", {0, 1}},
    };
    for (const EditCase &c : cases) {
        Area area;
        area.edit.setPlainText(QString::fromUtf8(c.start));
        area.play(c.strokes);
        EXPECT_EQ(area.edit.toPlainText().toStdString(), std::string(c.text)) << c.name;
        EXPECT_EQ(area.edit.cursorPosition(), c.cursor) << c.name;
    }
}

TEST(LinesEdit, AnEditedLineIsImportedAsItsGbkAndTheOthersAsTheFileHeldThem)
{
    test::ScratchDir dir;
    const QString file = dir.path("items.txt");
    // A title line, two rows (one with a name of the user-defined GBK area,
    // which must reach the database as these very bytes) and the last empty line.
    const std::string row1 = "1;\xCD\xC0\xC1\xFA;5";
    const std::string row2 = "2;\xAA\xA1;6";
    test::writeFileBytes(file, ";Idx;Name;Weight\r\n" + row1 + "\r\n" + row2 + "\r\n\r\n");
    Area area;
    loadExportedText(area.edit, file);
    ASSERT_EQ(area.edit.lines().lineCount(), 3);
    area.play({key(Qt::Key_End), key(Qt::Key_Backspace), typed("7")});

    std::string buffer;
    EXPECT_EQ(std::string(area.edit.lines().line(0, buffer)), "1;\xCD\xC0\xC1\xFA;7");
    EXPECT_EQ(std::string(area.edit.lines().line(1, buffer)), row2);
    EXPECT_EQ(std::string(area.edit.lines().line(2, buffer)), "");
    EXPECT_EQ(area.importedLines().size(), 3u);

    // Emptied and typed again: the file's bytes are let go, the new line is read.
    area.play({key(Qt::Key_A, Qt::ControlModifier), key(Qt::Key_Delete), typed("9;x"), key(Qt::Key_Return),
               typed("10;y")});
    EXPECT_EQ(area.importedLines(), (std::vector<std::string>{"9;x", "10;y"}));
}

TEST(LinesEdit, TheMousePlacesTheCursorAndDragsASelectionThatCopiesAndPastes)
{
    Area area;
    area.edit.setPlainText(QStringLiteral("first;1\nsecond;2\nthird;3"));
    QWidget *view = area.edit.viewport();
    const int lineHeight = area.edit.fontMetrics().lineSpacing();
    // Left of the text on the second line: its start.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(1, lineHeight + lineHeight / 2));
    EXPECT_EQ(area.edit.cursorPosition(), (Position{1, 0}));
    // Far right on the third line: its end, the second and third lines selected.
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(390, 2 * lineHeight + lineHeight / 2));
    EXPECT_EQ(area.edit.cursorPosition(), (Position{2, 7}));
    EXPECT_EQ(area.edit.selectedText(), QStringLiteral("second;2\nthird;3"));

    QTest::keyClick(&area.edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("second;2\nthird;3"));
    QTest::keyClick(&area.edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&area.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(area.edit.toPlainText(), QStringLiteral("second;2\nthird;3first;1\nsecond;2\nthird;3"));
    EXPECT_EQ(area.edit.cursorPosition(), (Position{1, 7}));

    // A drag from the start of the first line into the second selects across them.
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(1, lineHeight / 2));
    QMouseEvent drag(QEvent::MouseMove, QPointF(1, lineHeight + lineHeight / 2), view->mapToGlobal(QPointF(1, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drag);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(1, lineHeight + lineHeight / 2));
    EXPECT_EQ(area.edit.selectedText(), QStringLiteral("second;2\n"));
}

TEST(LinesEdit, AMillionLineFileScrollsToItsLastLine)
{
    test::ScratchDir dir;
    const QString file = dir.path("big.txt");
    std::string bytes;
    const int rows = 1000000;
    const auto row = [](int i) { return std::to_string(i) + ";\xCD\xC0\xC1\xFA;" + std::to_string(i % 97); };
    for (int i = 0; i < rows; ++i)
        bytes += row(i) + "\r\n";
    test::writeFileBytes(file, bytes);
    Area area;
    loadExportedText(area.edit, file);
    EXPECT_EQ(area.edit.lines().count(), rows);

    QTest::keyClick(&area.edit, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(area.edit.cursorPosition(), (Position{rows - 1, int(text::fromGbk(row(rows - 1)).size())}));
    const QScrollBar *vertical = area.edit.verticalScrollBar();
    EXPECT_EQ(vertical->value(), vertical->maximum());
    EXPECT_GT(vertical->maximum(), rows - 20);
    // Typing on the last line changes that line only.
    test::typeText(&area.edit, QStringLiteral("1"));
    std::string buffer;
    EXPECT_EQ(std::string(area.edit.lines().line(rows - 1, buffer)), row(rows - 1) + "1");
    EXPECT_EQ(std::string(area.edit.lines().line(rows - 2, buffer)), row(rows - 2));
    QTest::keyClick(&area.edit, Qt::Key_PageUp);
    EXPECT_LT(area.edit.cursorPosition().line, rows - 2);
    EXPECT_EQ(vertical->value(), area.edit.cursorPosition().line);
}
