#include "framework/dispatch.h"

#include "framework/message.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <new>
#include <utility>

namespace fw {

namespace {

void ShowError(std::exception_ptr error)
{
    ShowWarning(DescribeError(error));
}

// One service for every handler of every window, as there is one event loop.
UnhandledExceptionService &Service()
{
    static UnhandledExceptionService service = ShowError;
    return service;
}

} // namespace

void Dispatch(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

bool DispatchAfterEvent(const std::function<void()> &handler, bool report)
{
    try {
        handler();
        return false;
    } catch (...) {
        if (report)
            QTimer::singleShot(0, qApp, [error = std::current_exception()] { UnhandledException(error); });
        return true;
    }
}

UnhandledExceptionService SetUnhandledExceptionService(UnhandledExceptionService service)
{
    return std::exchange(Service(), std::move(service));
}

void UnhandledException(std::exception_ptr error)
{
    if (Service())
        Service()(error);
}

std::string DescribeError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        return "Not enough memory to finish this.";
    } catch (const std::exception &e) {
        return e.what();
    } catch (...) {
        return "An unknown error occurred.";
    }
}

} // namespace fw
