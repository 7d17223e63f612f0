#include "tests/codec/KilledProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace torvik::test {

using codec::testhooks::IoEvent;

bool anyWrite(const IoEvent &e)
{
    return e.write;
}

void runUntilKilled(const std::function<void()> &work, const WriteFilter &counts, int killAt)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int writes = 0;
        codec::testhooks::setIoHook([&](const IoEvent &e) {
            if (counts(e) && ++writes == killAt)
                raise(SIGKILL);
            return SQLITE_OK;
        });
        work();
        _exit(3); // finished without being killed: the test is wrong
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child was not killed (exit " << WEXITSTATUS(status) << ")";
    ASSERT_EQ(WTERMSIG(status), SIGKILL);
}

int countWrites(const std::function<void()> &work, const WriteFilter &counts)
{
    int writes = 0;
    codec::testhooks::setIoHook([&](const IoEvent &e) {
        writes += counts(e) ? 1 : 0;
        return SQLITE_OK;
    });
    work();
    codec::testhooks::setIoHook({});
    return writes;
}

} // namespace torvik::test
