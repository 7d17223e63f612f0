#pragma once

// The application's general error handler. An error that escapes a command
// is shown as its message text in a message box (through the modal seam) and
// the state reached before the error stays. Qt's own frames are not
// exception-safe, so every entry point of ours that Qt calls (a slot, a timer)
// is wrapped with guarded(); the application's notify() override covers event
// handlers.

#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

namespace torvik::ui {

// The message text of an exception, decoded for display.
QString exceptionMessage(std::exception_ptr error);

// Shows the message of the exception in the application's error box.
void showException(std::exception_ptr error);

// Wraps a callable so that an exception it throws goes to showException
// instead of unwinding through Qt. The wrapper takes exactly the arguments the
// callable takes, so Qt's connect() can match it against a signal.
template <class F>
auto guarded(F f)
{
    return [f = std::move(f)]<class... Args>(Args &&...args) -> void
        requires std::invocable<F &, Args...>
    {
        try {
            std::invoke(f, std::forward<Args>(args)...);
        } catch (...) {
            showException(std::current_exception());
        }
    };
}

// The same for a member function of an object: guarded(this, &T::Slot).
template <class T, class M>
auto guarded(T *object, M member)
{
    return guarded([object, member]<class... Args>(Args &&...args) -> void
                       requires std::invocable<M, T *, Args...>
                   { std::invoke(member, object, std::forward<Args>(args)...); });
}

} // namespace torvik::ui
