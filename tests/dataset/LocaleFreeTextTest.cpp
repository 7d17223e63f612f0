// Run by ctest under LC_ALL=de_DE.UTF-8 (scripts/test generates the locale):
// Qt takes the C locale from the environment, and the text forms of values
// must not follow it.

#include "DatasetTestSupport.h"
#include "dataset/AsciiText.h"
#include "dataset/Errors.h"
#include "dataset/Field.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

class GermanLocale : public TableOnFile {
protected:
    void SetUp() override
    {
        // What QCoreApplication does at start-up.
        ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "the locale of LC_ALL is not installed";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        ASSERT_STREQ(probe, "1,5") << "this test must run with LC_ALL=de_DE.UTF-8 (see tests/dataset/CMakeLists.txt)";
        ASSERT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(GermanLocale, RealValuesReadAndAssignWithAPoint)
{
    connectTo(dir.path("t.db"));
    execRaw(path, "create table T (Price REAL); insert into T values (1.5);");
    table.setTableName("T");
    table.Open();
    TField &price = *table.FieldByName("Price");
    EXPECT_EQ(price.AsString(), "1.5");
    table.Edit();
    price.setAsString("2.25");
    table.Post();
    EXPECT_EQ(queryValue(path, "select Price from T", true), "real:2.25");
}

TEST_F(GermanLocale, TextFormsOfStandaloneValues)
{
    TFieldDefs defs;
    defs.Add({"r", ftFloat, 0, 0});
    defs.Add({"b", ftBoolean, 0, 0});
    TStandaloneRecord r(defs);
    TField &real = *r.Fields()[0];
    const std::pair<double, const char *> cases[] = {{1.5, "1.5"}, {-0.25, "-0.25"}, {1.5e20, "1.5E20"}, {1e-7, "1E-7"}};
    for (const auto &[value, text] : cases) {
        real.setAsFloat(value);
        EXPECT_EQ(real.AsString(), text);
    }
    EXPECT_THROW(real.setAsString("1,5"), EDatabaseError) << "the locale's comma is no separator";
    r.Fields()[1]->setAsString("tRU");
    EXPECT_EQ(r.Fields()[1]->AsString(), "True");
}

TEST(AsciiCaseFolding, LeavesEveryByteAboveAsciiAlone)
{
    // In a Latin-1 locale <cctype> folds 0xC4 and 0xE4, both GBK lead bytes.
    EXPECT_FALSE(equalsIgnoringCase("\xC4\xE3", "\xE4\xE3"));
    EXPECT_TRUE(equalsIgnoringCase("StdMode", "STDMODE"));
    EXPECT_EQ(toLowerAscii("NaME\xC4\xD5"), "name\xC4\xD5");
}
