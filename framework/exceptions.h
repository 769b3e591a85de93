#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace fw {

// Raised when nil (an empty reference, a missing control or menu item) is used.
class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string &what = "Nil object used")
        : std::runtime_error(what)
    {
    }
};

// Raised when a row or column lies outside a list.
class OutOfBoundsException : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// Raised when a file cannot be written; what() names the file and the reason.
class IOException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class T> T &NotNil(T *object)
{
    if (!object)
        throw NilObjectException();
    return *object;
}

template <class T> T &NotNil(const std::shared_ptr<T> &object)
{
    return NotNil(object.get());
}

} // namespace fw
