#include "dataset/PosFunction.h"
#include "text/Gbk.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace torvik::dataset {
namespace {

class PosFunctionTest : public ::testing::Test {
protected:
    sqlite3 *db = nullptr;

    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_create_function(db, "Pos", 2, SQLITE_UTF8, nullptr, &PosFunction, nullptr, nullptr), SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(db); }

    // Evaluates Pos over two bound values; null pointers bind NULL.
    int pos(const char *a, const char *b)
    {
        sqlite3_stmt *st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, "select Pos(?, ?)", -1, &st, nullptr), SQLITE_OK);
        a ? sqlite3_bind_text(st, 1, a, -1, SQLITE_TRANSIENT) : sqlite3_bind_null(st, 1);
        b ? sqlite3_bind_text(st, 2, b, -1, SQLITE_TRANSIENT) : sqlite3_bind_null(st, 2);
        EXPECT_EQ(sqlite3_step(st), SQLITE_ROW);
        const int result = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return result;
    }
};

TEST_F(PosFunctionTest, AnswersTheOneBasedBytePositionOfTheFirstOccurrence)
{
    const struct {
        const char *a, *b;
        int expected;
    } cases[] = {
        {"Sword of Sword", "Sword", 1}, {"big sword", "sword", 5}, {"Sword", "sword", 0}, // letter case counts
        {"abc", "", 0},                 {"", "a", 0},               {"abc", "abcd", 0},
        {nullptr, "a", 0},              {"abc", nullptr, 0},        {"aXbX", "X", 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pos(c.a, c.b), c.expected) << (c.a ? c.a : "NULL") << " / " << (c.b ? c.b : "NULL");
}

TEST_F(PosFunctionTest, CountsBytesOfStoredGbkText)
{
    const std::string name = text::toGbk(QStringLiteral("金创药(小量)")); // three 2-byte characters first
    EXPECT_EQ(pos(name.c_str(), "("), 7);
    EXPECT_EQ(pos(name.c_str(), text::toGbk(QStringLiteral("药")).c_str()), 5);
}

} // namespace
} // namespace torvik::dataset
