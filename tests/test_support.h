#pragma once

#include "framework/dispatch.h"
#include "framework/window.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Closes every window the test opened, so each test starts with none.
class WindowTest : public testing::Test {
protected:
    void TearDown() override { fw::DestroyAllWindows(); }
};

// Collects what would be shown as unhandled errors, instead of a modal box.
class ErrorSpy {
public:
    ErrorSpy()
        : previous_(fw::SetUnhandledExceptionService(
              [this](std::exception_ptr error) { messages.push_back(fw::DescribeError(error)); }))
    {
    }
    ~ErrorSpy() { fw::SetUnhandledExceptionService(previous_); }
    ErrorSpy(const ErrorSpy &) = delete;
    ErrorSpy &operator=(const ErrorSpy &) = delete;

    std::vector<std::string> messages;

private:
    fw::UnhandledExceptionService previous_;
};

template <class T>
T &QtChild(const fw::Window &window, const char *name)
{
    T *child = window.Widget().findChild<T *>(QString::fromLatin1(name));
    if (!child)
        throw std::runtime_error(std::string("No widget named ") + name);
    return *child;
}
