// Allocation failures forced in the middle of copying a row: whatever point
// the copy fails at, every byte stays owned exactly once. This program
// replaces the global operator new, so it runs alone; the sanitizer build
// shows a double free or a leak.

#include "DatasetTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

// Allocations still allowed before one fails; negative: no limit.
long allocationsLeft = -1;

} // namespace

void *operator new(std::size_t size)
{
    if (allocationsLeft == 0) {
        allocationsLeft = -1;
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0)
        --allocationsLeft;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

class AllocationFailure : public TableOnFile {};

} // namespace

TEST_F(AllocationFailure, InTheMiddleOfCopyingARowWithBlobsLeavesEveryByteOwnedOnce)
{
    connectTo(dir.path("t.db"));
    // Values past the short-string buffer, so each copy allocates.
    const std::string first(40, 'a');
    const std::string second(50, 'b');
    execRaw(path, "create table T (n INTEGER, a BLOB, Name CHAR(4), b BLOB);"
                  "insert into T values (1, '" + first + "', 'a long name as read', '" + second + "');");
    table.setTableName("T");
    table.Open();
    int failures = 0;
    for (long allowed = 0;; ++allowed) {
        allocationsLeft = allowed;
        try {
            table.Edit();
        } catch (const std::bad_alloc &) {
            ++failures;
            EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
            EXPECT_EQ(table.FieldByName("a")->AsString(), first);
            EXPECT_EQ(table.FieldByName("b")->AsString(), second);
            continue;
        }
        allocationsLeft = -1;
        break;
    }
    EXPECT_GE(failures, 3) << "the copy failed at its first, middle and last value";
    ASSERT_EQ(table.State(), TDataSetState::dsEdit);
    table.FieldByName("n")->setAsInteger(2);
    table.Post();
    EXPECT_EQ(queryValue(path, "select n || a || Name || b from T"), "2" + first + "a long name as read" + second);
    table.Close();
}
