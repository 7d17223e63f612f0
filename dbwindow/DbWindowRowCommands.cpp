// The row commands of the grid's popup menu: copy the selected rows to the
// clipboard, delete them, clear the table, renumber all items.

#include "dbwindow/DBCUnitWin.h"

#include "dataset/DataSource.h"
#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "text/Gbk.h"
#include "ui/ErrorReport.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cassert>
#include <exception>
#include <string>

namespace torvik::dbwindow {

namespace {

bool confirmed(QWidget *owner, const QString &caption, const QString &text, ui::MessageIcon icon)
{
    return ui::modalUi().message({owner, caption, text, icon, ui::MessageButtons::OkCancel}) == ui::MessageResult::Ok;
}

void inform(QWidget *owner, const QString &text)
{
    ui::modalUi().message(
        {owner, QCoreApplication::applicationName(), text, ui::MessageIcon::Information, ui::MessageButtons::Ok});
}

// The current row's fields as texts, joined by ";", nothing quoted.
void appendRowText(const dataset::TFields &fields, std::string &out)
{
    for (int i = 0; i < fields.Count(); ++i) {
        if (i > 0)
            out += ';';
        out += fields[i]->AsString();
    }
}

} // namespace

void TFrmDBMain::connectRowCommands()
{
    connect(N1, &QAction::triggered, this, ui::guarded([this](bool) { N1Click(); }));
    connect(N4, &QAction::triggered, this, ui::guarded([this](bool) { N4Click(); }));
    connect(N5, &QAction::triggered, this, ui::guarded([this](bool) { N5Click(); }));
    connect(N2, &QAction::triggered, this, ui::guarded([this](bool) { N2Click(); }));
}

void TFrmDBMain::N1Click()
{
    std::string copied;
    const char *separator = "";
    for (const int32_t id : RzDBGrid1->SelectedRows()) {
        Table->GotoBookmark(id);
        copied += separator;
        appendRowText(Table->Fields(), copied);
        separator = "\r\n";
    }
    QGuiApplication::clipboard()->setText(text::fromGbk(copied));
    inform(this, QStringLiteral("复制成功！"));
}

void TFrmDBMain::N4Click()
{
    const std::vector<int32_t> selected = RzDBGrid1->SelectedRows();
    if (selected.empty())
        return;
    if (!confirmed(this, QStringLiteral("删除选择的行数据"),
                   QStringLiteral("确定删除选择的行数据？删除前请备份，因为这将是不可恢复的。"), ui::MessageIcon::Warning))
        return;
    // One DELETE by rowid per row, each committed by the engine on its own: an
    // error stops here with the rows before it gone.
    for (const int32_t id : selected) {
        Table->GotoBookmark(id);
        Table->Delete();
    }
    Table->Close();
    Table->Open();
    inform(this, QStringLiteral("删除成功！"));
}

void TFrmDBMain::N5Click()
{
    if (!confirmed(this, QStringLiteral("清空表"), QStringLiteral("确定清空表？清空表前请备份，因为这将是不可恢复的。"),
                   ui::MessageIcon::Warning))
        return;
    SqliteDB1->ExecSQL("DELETE FROM " + Table->TableName());
    Table->Close();
    Table->Open();
    inform(this, QStringLiteral("清空表成功！"));
}

void TFrmDBMain::N2Click()
{
    if (Table->TableName() != "StdItems")
        return;
    if (!confirmed(this, QStringLiteral("提示"), QStringLiteral("是否确定要重新排序？"), ui::MessageIcon::Question))
        return;
    N2->setEnabled(false);
    DataSource->setDataSet(nullptr); // the grid follows no row while they are numbered
    std::exception_ptr failure;
    bool begun = false;
    try {
        SqliteDB1->BeginExclusive();
        begun = true;
        Table->First();
        for (int32_t number = 0; !Table->Eof(); ++number) {
            assert(Table->FieldCount() > 0); // an open table has at least one column
            Table->Edit();
            Table->Fields()[0]->setAsInteger(number);
            Table->Post();
            Table->Next();
        }
    } catch (...) {
        failure = std::current_exception();
        // The number that could not be written is dropped, so the attached
        // grid does not post it again.
        Table->Cancel();
    }
    // Whatever happened, the numbers given so far are kept, the grid shows
    // the table again and the command is offered again.
    DataSource->setDataSet(Table);
    if (begun) {
        try {
            SqliteDB1->Commit();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
            // A transaction that cannot be committed must not stay open
            // under every later edit of the window.
            try {
                SqliteDB1->Rollback();
            } catch (...) {
            }
        }
    }
    N2->setEnabled(true);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace torvik::dbwindow
