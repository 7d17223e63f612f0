#include "DatasetTestSupport.h"
#include "dataset/DatasetTableModel.h"
#include "dataset/Errors.h"
#include "dataset/SqliteTable.h"
#include "dataset/UiHooks.h"
#include "tests/support/TestSupport.h"
#include "text/Gbk.h"

#include <QApplication>
#include <QTableView>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "dataset_model_tests";
    static char *argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

class Model : public TableOnFile {
protected:
    void SetUp() override
    {
        app();
        connectTo(dir.copyFixture("game-plain.db"));
        table.setTableName("StdItems");
        source.setDataSet(&table);
        table.Open();
        setErrorReporter([this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception &ex) {
                errors.push_back(ex.what());
            }
        });
    }
    void TearDown() override { setErrorReporter(nullptr); }

    int column(const char *name) const { return table.FieldByName(name)->Index(); }

    TDataSource source{&owner};
    DatasetTableModel model{&source};
    std::vector<std::string> errors;
};

} // namespace

TEST_F(Model, ShowsTheItemsWithFieldNamesAsTitlesAndDecodedTexts)
{
    EXPECT_EQ(model.rowCount(), 25);
    ASSERT_EQ(model.columnCount(), 39);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Idx");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Name");
    for (int row = 0; row < model.rowCount(); ++row) {
        table.setRecNo(row + 1);
        EXPECT_EQ(model.data(model.index(row, 1)).toString(),
                  torvik::text::fromGbk(table.FieldByName("Name")->AsString()));
    }
    int headers = 0;
    QObject::connect(&model, &QAbstractItemModel::headerDataChanged, [&] { ++headers; });
    table.Fields()[1]->setDisplayLabel(torvik::text::toGbk(QStringLiteral("名称")));
    EXPECT_EQ(headers, 1);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("名称"));
    table.Fields()[1]->setDisplayLabel("");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Name");
}

TEST_F(Model, LeavingAnEditedRowInAViewPostsItToTheFile)
{
    QTableView view;
    view.setModel(&model);
    view.show();
    view.setCurrentIndex(model.index(0, 1));
    const QString name = QStringLiteral("新名字");
    ASSERT_TRUE(model.setData(model.index(0, 1), name));
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), name);
    const std::string rowid = std::to_string(table.RowidAt(0));
    EXPECT_NE(queryValue(path, "select Name from StdItems where rowid=" + rowid), torvik::text::toGbk(name));
    view.setCurrentIndex(model.index(1, 1)); // the view calls submit() when its current row changes
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(queryValue(path, "select Name from StdItems where rowid=" + rowid), torvik::text::toGbk(name));
    EXPECT_TRUE(errors.empty());
}

TEST_F(Model, TextGbkCannotHoldIsRefusedAndReported)
{
    const QModelIndex cell = model.index(2, 1);
    const QString before = model.data(cell).toString();
    table.setRecNo(3);
    EXPECT_FALSE(model.setData(cell, QString::fromUtf8("\xF0\x9F\x98\x80"))); // an emoji
    EXPECT_TRUE(errors.empty()) << "no report from inside the model call";
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(model.data(cell).toString(), before);
}

TEST_F(Model, FailingPostIsReportedNotThrown)
{
    ASSERT_TRUE(model.setData(model.index(0, column("Stdmode")), "abc") == false);
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1u) << "an integer field refuses a non-number";
    EXPECT_NE(errors[0].find("is not a valid integer value"), std::string::npos);
    table.Cancel();
    errors.clear();
    db.ExecSQL("create trigger no_edit before update on StdItems begin select raise(abort, 'refused'); end");
    ASSERT_TRUE(model.setData(model.index(0, column("Price")), "5"));
    EXPECT_FALSE(model.submit());
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("refused\r\n", 0), 0u);
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
}

TEST_F(Model, ACellOfAnotherRowThanTheCurrentRecordIsNotWritten)
{
    // Writing into row 3 while the dataset is on row 1 would put the text
    // into the wrong record.
    const std::string before = queryValue(path, "select Name from StdItems where rowid=4");
    const QString current = model.data(model.index(0, 1)).toString();
    EXPECT_FALSE(model.setData(model.index(3, 1), QStringLiteral("错")));
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), current);
    EXPECT_EQ(queryValue(path, "select Name from StdItems where rowid=4"), before);
}

TEST_F(Model, InsertAndDeleteRowsGoThroughTheDataset)
{
    QTableView view;
    view.setModel(&model);
    ASSERT_TRUE(model.insertRows(25, 1));
    EXPECT_EQ(table.State(), TDataSetState::dsInsert);
    EXPECT_EQ(model.rowCount(), 26);
    ASSERT_TRUE(model.setData(model.index(25, 0), "900"));
    ASSERT_TRUE(model.setData(model.index(25, 1), QStringLiteral("新")));
    EXPECT_TRUE(model.submit());
    EXPECT_EQ(model.rowCount(), 26);
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems where Idx=900"), "1");
    EXPECT_EQ(model.data(model.index(25, 1)).toString(), QStringLiteral("新"));

    ASSERT_TRUE(model.insertRows(3, 1));
    EXPECT_EQ(model.rowCount(), 27);
    EXPECT_TRUE(model.data(model.index(3, 0)).toString().isEmpty()) << "the new row shows at its place";
    model.revert();
    EXPECT_EQ(model.rowCount(), 26);

    const std::string firstRowid = std::to_string(table.RowidAt(0));
    ASSERT_TRUE(model.removeRows(0, 1));
    EXPECT_EQ(model.rowCount(), 25);
    EXPECT_EQ(queryValue(path, "select count(*) from StdItems where rowid=" + firstRowid), "0");
}

TEST_F(Model, FollowsTheDatasetsCurrentRecordAndItsClose)
{
    std::vector<int> current;
    QObject::connect(&model, &DatasetTableModel::currentRecordChanged, [&](int row) { current.push_back(row); });
    ASSERT_TRUE(table.Locate("Name", {"Sword"}, 0));
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(current.back(), table.RecNo() - 1);
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    table.Close();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    table.Open();
    EXPECT_EQ(model.rowCount(), 25);
    source.setDataSet(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}
