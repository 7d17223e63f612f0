// The export wizard, the import dialog and the two commands, worked as a game
// master works them: clicks on the shown dialogs, then the file or the
// database read back on its own.

#include "dataset/DataSource.h"
#include "dataset/Errors.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/GuideUnit.h"
#include "exchange/ImportGridsUnit.h"
#include "exchange/RadioGroup.h"
#include "exchange/SeparatorEdit.h"
#include "exchange/TableExport.h"
#include "tests/dataset/DatasetTestSupport.h"
#include "tests/support/OpenAsEditor.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TypeText.h"
#include "text/Gbk.h"
#include "ui/ProgressPane.h"

#include <QCheckBox>
#include "exchange/LinesEdit.h"
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace torvik;
using namespace torvik::exchange;
using test::queryValue;
using test::ScriptedModalUi;

namespace {

struct Gui {
    Gui() { test::ensureGuiApplication(); }
};

// What a database window hands to the commands: its table on a file, the
// data source of its grid, its save dialog and the main window's pane.
struct WindowParts : Gui {
    explicit WindowParts(const QString &path, const std::string &name = "StdItems")
    {
        test::openAsEditor(db, table, path, name);
        source.setDataSet(&table);
    }
    ExchangeWindow window(std::vector<int32_t> selected = {})
    {
        return {&owner, &table, &source, table.FieldCount(), std::move(selected), &dlgSave, &pane};
    }
    QWidget owner;
    dataset::TSqliteDB db{&owner};
    dataset::TSqliteTable table{&owner};
    dataset::TDataSource source{&owner};
    ui::FileRequest dlgSave;
    ui::ProgressPane pane{&owner};
};

// On the button's mark, at its left: a radio button takes clicks only on its
// mark and its label, and a short label leaves the middle empty.
void click(QAbstractButton *button)
{
    const bool marked = qobject_cast<QRadioButton *>(button) || qobject_cast<QCheckBox *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      marked ? QPoint(6, button->height() / 2) : button->rect().center());
}

// Typed key by key, lines ended with the Enter key.
void typeInto(QWidget *widget, const QString &text)
{
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(widget, Qt::Key_Return);
        test::typeText(widget, lines[i]);
    }
}

// The wizard's answer: the file type, for text the separator item (and the
// other separator's character) and the title box, then OK.
std::function<int(QDialog &)> wizard(ExportType type, int separatorItem = 0, bool titles = false,
                                     const QString &other = {})
{
    return [=](QDialog &dialog) {
        auto &guide = dynamic_cast<TGuideForm &>(dialog);
        click(guide.rg1->button(int(type)));
        QCoreApplication::processEvents(); // the shown choices are laid out before they are clicked
        if (type == ExportType::Text) {
            click(guide.rg2->button(separatorItem));
            if (!other.isEmpty())
                typeInto(guide.edt1, other);
            if (titles)
                click(guide.chk1);
        }
        click(guide.btn1);
        return dialog.result();
    };
}

// The import dialog's answer: the source item, a file chosen with btn1 (or
// text typed into the area), then "开始导入数据库".
std::function<int(QDialog &)> importing(int item, bool useOpenButton, const QString &typed = {})
{
    return [=](QDialog &dialog) {
        auto &form = dynamic_cast<TImportForm &>(dialog);
        click(form.rg2->button(item));
        if (useOpenButton)
            click(form.btn1);
        if (!typed.isEmpty())
            typeInto(form.mmo1, typed);
        click(form.btn2);
        return dialog.result();
    };
}

class ExchangeDialogs : public ::testing::Test {
protected:
    test::ScratchDir dir;
    ScriptedModalUi modal;
};

} // namespace

TEST_F(ExchangeDialogs, WizardShowsTheTextChoicesOnlyForText)
{
    Gui gui;
    TGuideForm guide;
    guide.show();
    EXPECT_EQ(guide.windowTitle(), QStringLiteral("导出向导"));
    EXPECT_EQ(guide.width(), TGuideForm::kNarrowWidth);
    EXPECT_FALSE(guide.rg2->isVisible());
    EXPECT_FALSE(guide.chk1->isVisible());
    EXPECT_EQ(guide.exportType(), ExportType::Xml);

    click(guide.rg1->button(2));
    EXPECT_EQ(guide.width(), TGuideForm::kWideWidth);
    EXPECT_TRUE(guide.rg2->isVisible());
    EXPECT_TRUE(guide.chk1->isVisible());
    EXPECT_FALSE(guide.edt1->isEnabled());
    click(guide.rg2->button(3));
    EXPECT_TRUE(guide.edt1->isEnabled());
    typeInto(guide.edt1, QStringLiteral("中|x")); // one ASCII character only
    EXPECT_EQ(guide.edt1->text(), QStringLiteral("|"));
    click(guide.rg2->button(1));
    EXPECT_FALSE(guide.edt1->isEnabled());

    click(guide.rg1->button(1));
    EXPECT_EQ(guide.width(), TGuideForm::kNarrowWidth);
    EXPECT_FALSE(guide.rg2->isVisible());
}

TEST_F(ExchangeDialogs, ExportWritesTheChosenLayoutOnlyAtTheEnd)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path, "Magic");
    const QString core = dir.path("core.txt");
    {
        NoProgress none;
        exportTable(parts.table, "Magic", {ExportType::Text, '\t', true}, nullptr, core, none);
    }
    modal.replyDialog(wizard(ExportType::Text, 2, true));
    modal.replyFile(dir.path("magic"));
    ExportTable(parts.window());
    EXPECT_TRUE(modal.allRepliesUsed());
    EXPECT_EQ(test::readFileBytes(dir.path("magic.txt")), test::readFileBytes(core));
    EXPECT_EQ(modal.asked().back().file.filter, QStringLiteral("文本文件 (*.txt)"));
    EXPECT_FALSE(parts.pane.isVisible());
    EXPECT_EQ(parts.pane.partsComplete(), parts.pane.totalParts());
    EXPECT_EQ(parts.source.DataSet(), &parts.table); // the grid follows the table again
}

TEST_F(ExchangeDialogs, SelectedRowsAreAskedAbout)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path, "Evil");
    struct Case {
        ui::MessageResult answer;
        int lines; // row lines in the file; -1: no file
    };
    for (const Case c : {Case{ui::MessageResult::Yes, 2}, Case{ui::MessageResult::No, 3},
                         Case{ui::MessageResult::Cancel, -1}}) {
        const QString file = dir.path(QString("evil%1.txt").arg(int(c.answer)));
        modal.replyMessage(c.answer);
        if (c.lines >= 0) {
            modal.replyDialog(wizard(ExportType::Text));
            modal.replyFile(file);
        }
        ExportTable(parts.window({0, 2}));
        EXPECT_TRUE(modal.allRepliesUsed());
        const ui::MessageRequest question = modal.messagesAsked().back();
        EXPECT_EQ(question.caption, QStringLiteral("确认"));
        EXPECT_EQ(question.text, QStringLiteral("你要导出表中选中的数据吗？"));
        EXPECT_EQ(question.buttons, ui::MessageButtons::YesNoCancel);
        EXPECT_EQ(question.icon, ui::MessageIcon::Warning);
        if (c.lines < 0) {
            EXPECT_FALSE(QFile::exists(file));
        } else {
            const std::string bytes = test::readFileBytes(file);
            EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), c.lines + 1);
        }
        modal.clear();
    }
}

TEST_F(ExchangeDialogs, AnEmptyOtherSeparatorIsRefused)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path);
    modal.replyDialog(wizard(ExportType::Text, 3));
    ExportTable(parts.window());
    const auto asked = modal.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("分隔符不能为空！！！"));
    EXPECT_EQ(asked[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(asked[0].owner, &parts.owner);
    EXPECT_EQ(modal.asked().size(), 2u); // the wizard and the message: no save dialog

    modal.clear();
    modal.replyDialog(importing(3, false, QStringLiteral("a;b")));
    ImportTable(parts.window());
    ASSERT_EQ(modal.messagesAsked().size(), 1u);
    EXPECT_EQ(modal.messagesAsked()[0].text, QStringLiteral("分隔符不能为空！！！"));
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems"), "25");
}

TEST_F(ExchangeDialogs, XmlAndHtmlExportsAreRealDocuments)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path);
    modal.replyDialog(wizard(ExportType::Xml));
    modal.replyFile(dir.path("items"));
    ExportTable(parts.window());
    modal.replyDialog(wizard(ExportType::Html));
    modal.replyFile(dir.path("items"));
    ExportTable(parts.window());

    const auto xpath = [&](const QString &expression) {
        QProcess lint;
        lint.start("xmllint", {"--xpath", expression, dir.path("items.xml")});
        EXPECT_TRUE(lint.waitForFinished(30000));
        EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
        return QString::fromUtf8(lint.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(xpath("count(/table/record)"), "25");
    EXPECT_EQ(xpath("count(/table/record/field)"), QString::number(25 * 39));
    EXPECT_EQ(xpath("string(/table/record[24]/field[@name='Name'])"), QString::fromUtf8("超长名字的神秘")); // as the layer reads CHAR(14)
    const std::string html = test::readFileBytes(dir.path("items.html"));
    EXPECT_NE(html.find("<tr><th>Idx</th><th>Name</th>"), std::string::npos);
    size_t cells = 0;
    for (size_t at = html.find("<td>"); at != std::string::npos; at = html.find("<td>", at + 1))
        ++cells;
    EXPECT_EQ(cells, 25u * 39u);
    size_t rows = 0;
    for (size_t at = html.find("<tr>"); at != std::string::npos; at = html.find("<tr>", at + 1))
        ++rows;
    EXPECT_EQ(rows, 1u + 25u);
}

TEST_F(ExchangeDialogs, ImportLoadsTheFileWithoutTitlesAndAddsItsRows)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path, "Monster");
    const QString file = dir.path("monster.txt");
    {
        NoProgress none;
        exportTable(parts.table, "Monster", {ExportType::Text, ';', true}, nullptr, file, none);
    }
    parts.table.First();
    QString shownText;
    modal.replyDialog([&](QDialog &dialog) {
        auto &form = dynamic_cast<TImportForm &>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("导入数据库"));
        click(form.btn1);
        shownText = form.mmo1->toPlainText();
        click(form.btn2);
        return dialog.result();
    });
    modal.replyFile(file);
    ImportTable(parts.window());
    EXPECT_TRUE(modal.allRepliesUsed());
    EXPECT_EQ(modal.asked()[1].file.filter, QStringLiteral("文本文件 (*.txt)"));
    EXPECT_FALSE(shownText.startsWith(';'));
    EXPECT_EQ(shownText.count('\n'), 6); // six rows and the final empty line
    EXPECT_EQ(queryValue(path, "select count(*) from Monster"), "12");
    EXPECT_EQ(queryValue(path, "select count(distinct Name) from Monster"), "6");
    // Read again and on the last added row.
    EXPECT_EQ(parts.table.RecordCount(), 12);
    EXPECT_EQ(parts.table.RecNo(), 12);
    EXPECT_EQ(parts.source.DataSet(), &parts.table);
    EXPECT_FALSE(parts.pane.isVisible());
    EXPECT_EQ(parts.pane.partsComplete(), parts.pane.totalParts());
    EXPECT_TRUE(modal.messagesAsked().empty());
}

TEST_F(ExchangeDialogs, AFileThatIsNotGbkIsRefusedNamingItsLine)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path);
    const QString file = dir.path("bad.txt");
    test::writeFileBytes(file, ";Idx;Name\r\n1;\xCD\xC0\xC1\xFA\r\n2;\xFF\xFE\r\n3;\x81\r\n");
    modal.replyDialog([&](QDialog &dialog) {
        auto &form = dynamic_cast<TImportForm &>(dialog);
        typeInto(form.mmo1, "kept");
        click(form.btn1);
        EXPECT_EQ(form.mmo1->toPlainText(), QStringLiteral("kept"));
        return int(QDialog::Rejected); // closed by its close box
    });
    modal.replyFile(file);
    ImportTable(parts.window());
    const auto asked = modal.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("错误"));
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("第3行"))) << asked[0].text.toStdString();
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems"), "25");
}

TEST_F(ExchangeDialogs, ARefusedRowShowsItsLineAndKeepsTheRowsBefore)
{
    const QString path = dir.path("r.db");
    test::execRaw(path, "create table T (Name CHAR(20), N INTEGER, Data BLOB)");
    WindowParts parts(path, "T");
    for (const QString &typed : {QStringLiteral("a;1;00\nb;x;00\nc;3;00"), QStringLiteral("a;1;00\nb;2;AZ\nc;3;00"),
                                 QStringLiteral("a;1;00\n屠龙ह;2;00\nc;3;00")}) {
        test::execRaw(path, "delete from T");
        parts.table.Refresh();
        modal.replyDialog(importing(0, false, typed));
        const auto message = test::thrownMessage<dataset::EDatabaseError>([&] { ImportTable(parts.window()); });
        ASSERT_TRUE(message) << typed.toStdString();
        EXPECT_TRUE(text::fromGbk(*message).startsWith(QStringLiteral("第2行："))) << text::gbkToUtf8(*message);
        EXPECT_EQ(queryValue(path, "select group_concat(Name) from T"), "a");
        EXPECT_EQ(parts.source.DataSet(), &parts.table);
        EXPECT_FALSE(parts.pane.isVisible());
        parts.table.Cancel(); // the refused row, left for the user to cancel
    }
}

TEST_F(ExchangeDialogs, AnEmptyAreaImportsNothingAndRefreshes)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path);
    test::execRaw(path, "delete from StdItems where Idx > 1");
    modal.replyDialog(importing(1, false));
    ImportTable(parts.window());
    EXPECT_TRUE(modal.messagesAsked().empty());
    EXPECT_EQ(parts.table.RecordCount(), 2);
}

TEST_F(ExchangeDialogs, AParadoxTableIsChosenWithTheOpenButton)
{
    const QString path = dir.copyFixture("game-plain.db");
    WindowParts parts(path);
    modal.replyDialog(importing(TImportForm::kQ7Item, true));
    modal.replyFile(test::fixturePath("paradox/StdItems.DB"));
    ImportTable(parts.window());
    EXPECT_EQ(modal.asked()[1].file.filter, QStringLiteral("请选择Q7数据库文件 (*.db)"));
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems"), "29");
    EXPECT_EQ(parts.table.RecordCount(), 29);

    // A file that is not a Paradox table: refused before anything changed.
    modal.replyDialog(importing(TImportForm::kQ7Item, true));
    modal.replyFile(path);
    const auto message = test::thrownMessage<dataset::EDatabaseError>([&] { ImportTable(parts.window()); });
    ASSERT_TRUE(message);
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems"), "29");
    EXPECT_EQ(parts.source.DataSet(), &parts.table);
}
