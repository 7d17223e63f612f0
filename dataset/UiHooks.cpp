#include "dataset/UiHooks.h"

#include "dataset/Errors.h"

#include <cstdio>

namespace torvik::dataset {

namespace {

std::function<void(const std::string &)> &messageHandler()
{
    static std::function<void(const std::string &)> handler;
    return handler;
}

std::function<void(std::exception_ptr)> &errorReporter()
{
    static std::function<void(std::exception_ptr)> reporter;
    return reporter;
}

std::function<void(bool)> &busyCursorHandler()
{
    static std::function<void(bool)> handler;
    return handler;
}

} // namespace

void setMessageHandler(std::function<void(const std::string &)> handler)
{
    messageHandler() = std::move(handler);
}

void showMessage(const std::string &gbkText)
{
    if (messageHandler())
        messageHandler()(gbkText);
    else
        std::fprintf(stderr, "%s\n", gbkText.c_str());
}

void setErrorReporter(std::function<void(std::exception_ptr)> reporter)
{
    errorReporter() = std::move(reporter);
}

void reportError(std::exception_ptr error)
{
    if (errorReporter()) {
        errorReporter()(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown error\n");
    }
}

void setBusyCursorHandler(std::function<void(bool)> handler)
{
    busyCursorHandler() = std::move(handler);
}

BusyCursor::BusyCursor(bool show) : shown_(show && busyCursorHandler())
{
    if (shown_)
        busyCursorHandler()(true);
}

BusyCursor::~BusyCursor()
{
    if (shown_ && busyCursorHandler())
        busyCursorHandler()(false);
}

} // namespace torvik::dataset
