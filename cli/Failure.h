#pragma once

#include <stdexcept>
#include <string>

namespace torvik::cli {

// The command could not do its work: the message goes to stderr, exit 1.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line is wrong: the message and a hint go to stderr, exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace torvik::cli
