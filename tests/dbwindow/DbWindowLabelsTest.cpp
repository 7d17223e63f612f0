#include "tests/dbwindow/DbWindowTestSupport.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

namespace torvik::dbwindow::testing {
namespace {

class DbWindowLabelsTest : public DbWindowTest {
protected:
    void SetUp() override { openWindow(scratch.copyFixture(QStringLiteral("game-plain.db"))); }

    QCheckBox *fieldNameBox(int page) const
    {
        QCheckBox *boxes[] = {window->RzCheckBox1, window->RzCheckBox2, window->RzCheckBox3, window->RzCheckBox4,
                              window->RzCheckBox7};
        return boxes[page];
    }
    void reopen() { window->DBNavigator->BtnClick(NavigateButton::Refresh); }
};

TEST_F(DbWindowLabelsTest, FieldNameBoxesStartAsTheirPagesExpect)
{
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(fieldNameBox(page)->isChecked(), page < 4) << page;
        EXPECT_EQ(fieldNameBox(page)->text(), QStringLiteral("显示数据库字段名"));
        EXPECT_EQ(fieldNameBox(page)->toolTip(), QStringLiteral("显示数据库中各字段的名称。"));
    }
}

TEST_F(DbWindowLabelsTest, SkillAndDemonPagesShowLabelsAtOnceAndTheirBoxesToggleThem)
{
    for (int page : {2, 3}) {
        SCOPED_TRACE(page);
        choosePage(*window, page);
        ASSERT_TRUE(window->Table->Active());
        EXPECT_TRUE(fieldNameBox(page)->isChecked());
        EXPECT_EQ(titles(*window), pageLabels(page)) << "labels although the box reads checked";

        fieldNameBox(page)->click(); // now unchecked: labels stay
        EXPECT_FALSE(fieldNameBox(page)->isChecked());
        EXPECT_EQ(titles(*window), pageLabels(page));

        fieldNameBox(page)->click(); // checked again: field names
        EXPECT_EQ(titles(*window), fieldNames(*window));

        reopen(); // every open of these pages labels again
        EXPECT_EQ(titles(*window), pageLabels(page));
    }
}

TEST_F(DbWindowLabelsTest, MonsterLabelsFollowTheBoxAcrossReopens)
{
    choosePage(*window, 1);
    EXPECT_EQ(titles(*window), fieldNames(*window));
    window->RzCheckBox2->click();
    EXPECT_EQ(titles(*window), pageLabels(1));
    reopen();
    EXPECT_EQ(titles(*window), pageLabels(1));
    window->RzCheckBox2->click();
    EXPECT_EQ(titles(*window), fieldNames(*window));
    reopen();
    EXPECT_EQ(titles(*window), fieldNames(*window));
}

TEST_F(DbWindowLabelsTest, PetPageIsLabelledAndItemsGetLabelsWhenTheirBoxIsCleared)
{
    choosePage(*window, 4);
    EXPECT_EQ(titles(*window), pageLabels(4));
    choosePage(*window, 0);
    window->RzCheckBox1->click();
    EXPECT_EQ(titles(*window), pageLabels(0));
}

TEST_F(DbWindowLabelsTest, APageChangeResetsTheItemsFilterControlsAndKeepsTheExactBoxes)
{
    window->RzComboBox1->setCurrentIndex(6);
    window->RzEdit1->setText(QStringLiteral("剑"));
    window->CheckBox2->setChecked(true);
    window->RzEdit2->setText(QStringLiteral("鸡"));
    window->Table->setFilter("Stdmode=5");
    choosePage(*window, 1);
    EXPECT_EQ(window->Table->Filter(), "");
    EXPECT_FALSE(window->Table->Filtered());
    EXPECT_EQ(window->RzEdit2->text(), QString()) << "the page that becomes active clears its name field";
    choosePage(*window, 0);
    EXPECT_EQ(window->RzComboBox1->currentIndex(), 0);
    EXPECT_EQ(window->RzEdit1->text(), QString());
    EXPECT_TRUE(window->CheckBox2->isChecked());
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 25);
}

class ColumnPositionTest : public DbWindowTest {};

TEST_F(ColumnPositionTest, LabelsGoByPositionWithFewerAndMoreColumnsThanTheList)
{
    QString monster = QStringLiteral("create table Monster (");
    for (int i = 0; i < 36; ++i)
        monster += QStringLiteral("%1C%2 INTEGER").arg(i ? QStringLiteral(", ") : QString()).arg(i);
    monster += QStringLiteral(");");
    const QString path = makeDatabase(
        scratch, QStringLiteral("odd.db"),
        QStringLiteral("create table StdItems (Name CHAR(14), Idx INTEGER, Stdmode INTEGER);"
                       "insert into StdItems values ('木剑', 0, 5);") +
            monster);
    openWindow(path);
    window->RzCheckBox1->click();
    EXPECT_EQ(titles(*window), pageLabels(0).mid(0, 3)) << "surplus labels unused; Name carries the first label";

    choosePage(*window, 1);
    window->RzCheckBox2->click();
    const QStringList shown = titles(*window);
    ASSERT_EQ(shown.size(), 36);
    EXPECT_EQ(shown.mid(0, 34), pageLabels(1));
    EXPECT_EQ(shown.mid(34), (QStringList{QStringLiteral("C34"), QStringLiteral("C35")}));
}

TEST_F(ColumnPositionTest, ApplyingLabelsWithoutAnOpenTableOrForAnUnknownPageDoesNothing)
{
    {
        TFrmDBMain unopened;
        unopened.ApplyColumnLabels(0);
        EXPECT_EQ(unopened.RzDBGrid1->model()->columnCount(), 0);
    }
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    window->ApplyColumnLabels(7);
    EXPECT_EQ(titles(*window), fieldNames(*window));
}

} // namespace
} // namespace torvik::dbwindow::testing
