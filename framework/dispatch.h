#pragma once

#include <exception>
#include <functional>
#include <string>

namespace fw {

// Every event reaches its handler through here. Each dispatch catches any
// exception and hands it to the unhandled-exception service, so none crosses
// Qt's event loop, not even the nested loop of a modal dialog; an event raised
// by a handler's own property write is reported on its own.
void Dispatch(const std::function<void()> &handler);

// For a handler that must not open a modal window while it runs, a paint
// handler: a modal loop there paints, and may fail, again. An exception is
// reported once the current event has been handled, and only when `report`
// is true. Gives whether the handler threw.
bool DispatchAfterEvent(const std::function<void()> &handler, bool report);

using UnhandledExceptionService = std::function<void(std::exception_ptr)>;

// Replaces the service and returns the previous one. The default shows a
// modal warning with the error's message; the program keeps running.
UnhandledExceptionService SetUnhandledExceptionService(UnhandledExceptionService service);

void UnhandledException(std::exception_ptr error);

// The message that the service shows for an error.
std::string DescribeError(std::exception_ptr error);

} // namespace fw
