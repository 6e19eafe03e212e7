// Catching handler errors at the event loop's edge and reporting them.
#include "platform/ErrorGuard.h"

#include "platform/core/Error.h"

#include <stdexcept>

namespace {

ErrorObserver &observer()
{
    static ErrorObserver instance;
    return instance;
}

void report(const Form *owner, const std::exception &caught) noexcept
{
    try {
        const std::string text = guardMessage(caught);
        if (observer())
            observer()(caught, text);
        else
            showErrorMessage(owner, text);
    } catch (...) {
        // Reporting itself failed (out of memory, or a throwing observer): there is no one
        // left to tell, and the event loop must not see the exception.
    }
}

} // namespace

std::string guardMessage(const std::exception &caught)
{
    if (const auto *error = dynamic_cast<const Error *>(&caught))
        return error->message();
    return std::string("Unexpected error: ") + caught.what();
}

void runGuarded(const Form *owner, const std::function<void()> &handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &caught) {
        report(owner, caught);
    } catch (...) {
        try {
            report(owner, std::runtime_error("an exception of unknown type"));
        } catch (...) { }
    }
}

void setErrorObserver(ErrorObserver observer_) { observer() = std::move(observer_); }
