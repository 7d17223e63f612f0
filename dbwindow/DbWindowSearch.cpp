// The database window's filters: the items page's category list and the name
// searches of the items, monster and skill pages.

#include "dbwindow/DBCUnitWin.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/SearchFilter.h"
#include "text/Gbk.h"
#include "ui/ErrorReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace torvik::dbwindow {

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TFrmDBMain::connectSearchHandlers()
{
    // activated: only the user's pick runs the handler, not the list being
    // filled or reset by a page change.
    connect(RzComboBox1, &QComboBox::activated, this, ui::guarded(this, &TFrmDBMain::RzComboBox1Change));
    connect(RzButton1, &QPushButton::clicked, this, ui::guarded([this](bool) { RzButton1Click(); }));
    connect(RzButton4, &QPushButton::clicked, this, ui::guarded([this](bool) { RzButton4Click(); }));
    connect(RzButton5, &QPushButton::clicked, this, ui::guarded([this](bool) { RzButton5Click(); }));
    // The field emits returnPressed for Enter and still lets the key go on.
    connect(RzEdit1, &QLineEdit::returnPressed, this, ui::guarded([this] { RzEdit1KeyPress(Qt::Key_Return); }));
    connect(RzEdit2, &QLineEdit::returnPressed, this, ui::guarded([this] { RzEdit2KeyPress(Qt::Key_Return); }));
    connect(RzEdit4, &QLineEdit::returnPressed, this, ui::guarded([this] { RzEdit4KeyPress(Qt::Key_Return); }));
}

void TFrmDBMain::applyFilter(const std::string &filter)
{
    Table->setFiltered(true);
    Table->setFilter(filter); // reopens an open table with the condition
    Table->setFiltered(false);
}

void TFrmDBMain::RzComboBox1Change(int index)
{
    if (index < 0 || index >= RzComboBox1->count())
        return;
    if (index == 0)
        applyFilter({});
    else
        applyFilter(categoryFilter(text::toGbk(RzComboBox1->itemData(index).toString())));
}

void TFrmDBMain::searchByName(QLineEdit *field, const QCheckBox *exactBox, const NameSearchColumns &columns)
{
    const QString typed = field->text(); // as typed, not trimmed
    if (typed.isEmpty()) {
        field->setFocus();
        applyFilter({});
        return;
    }
    applyFilter(nameSearchFilter(columns, text::toGbk(typed), exactBox->isChecked()));
}

void TFrmDBMain::RzButton1Click()
{
    searchByName(RzEdit1, CheckBox2, kItemNameColumns);
}

void TFrmDBMain::RzButton4Click()
{
    searchByName(RzEdit2, CheckBox4, kMonsterNameColumns);
}

void TFrmDBMain::RzButton5Click()
{
    searchByName(RzEdit4, CheckBox6, kSkillNameColumns);
}

void TFrmDBMain::RzEdit1KeyPress(int key)
{
    if (isEnter(key))
        RzButton1Click();
}

void TFrmDBMain::RzEdit2KeyPress(int key)
{
    if (isEnter(key))
        RzButton4Click();
}

void TFrmDBMain::RzEdit4KeyPress(int key)
{
    if (isEnter(key))
        RzButton5Click();
}

} // namespace torvik::dbwindow
