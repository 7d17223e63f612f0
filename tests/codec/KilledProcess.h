#pragma once

// Crash points for codec tests: work run in a child process that is killed
// (SIGKILL, no clean-up of any kind) right before a chosen write reaches the
// disk, and the count of writes a piece of work makes.

#include "codec/CodecTestHooks.h"

#include <functional>

namespace torvik::test {

using WriteFilter = std::function<bool(const codec::testhooks::IoEvent &)>;

// Writes of every file the codec VFS passes.
bool anyWrite(const codec::testhooks::IoEvent &e);

// Runs `work` in a child process killed right before the `killAt`-th write
// that `counts` accepts. Fails the test unless the child was killed there.
void runUntilKilled(const std::function<void()> &work, const WriteFilter &counts, int killAt);

// Runs `work` here and answers how many writes `counts` accepted.
int countWrites(const std::function<void()> &work, const WriteFilter &counts);

} // namespace torvik::test
