#pragma once

// The few places where the dataset layer must reach the user. The layer has
// no widgets; the application installs handlers that show real dialogs and
// cursors. Until then messages go to stderr and cursors are ignored.

#include <exception>
#include <functional>
#include <string>

namespace torvik::dataset {

// A modal message box with the given text (GBK bytes).
void setMessageHandler(std::function<void(const std::string &gbkText)> handler);
void showMessage(const std::string &gbkText);

// An error that cannot be thrown because the caller is a Qt virtual (a model's
// setData, submit): the application shows it like any other error.
void setErrorReporter(std::function<void(std::exception_ptr)> reporter);
void reportError(std::exception_ptr error);

// The wait cursor while a query runs: called with true before, false after.
void setBusyCursorHandler(std::function<void(bool busy)> handler);

// Shows the wait cursor for the lifetime of the object, when asked to.
class BusyCursor {
public:
    explicit BusyCursor(bool show);
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool shown_;
};

} // namespace torvik::dataset
