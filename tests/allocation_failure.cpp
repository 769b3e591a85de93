// The test program's own operator new and delete, on malloc and free, so
// that an allocation can be made to fail; every form that pairs with them
// is replaced, so that sanitizers see malloc and free only.
#include "allocation_failure.h"

#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

namespace {

std::size_t failAbove = std::numeric_limits<std::size_t>::max();

void *Allocate(std::size_t bytes)
{
    if (bytes > failAbove)
        throw std::bad_alloc();
    void *memory = std::malloc(bytes == 0 ? 1 : bytes);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

} // namespace

LargeAllocationsFail::LargeAllocationsFail(std::size_t bytes)
    : before_(std::exchange(failAbove, bytes))
{
}

LargeAllocationsFail::~LargeAllocationsFail()
{
    failAbove = before_;
}

void *operator new(std::size_t bytes)
{
    return Allocate(bytes);
}

void *operator new[](std::size_t bytes)
{
    return Allocate(bytes);
}

void *operator new(std::size_t bytes, const std::nothrow_t &) noexcept
{
    try {
        return Allocate(bytes);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void *operator new[](std::size_t bytes, const std::nothrow_t &tag) noexcept
{
    return operator new(bytes, tag);
}

void operator delete(void *memory) noexcept
{
    std::free(memory);
}

void operator delete[](void *memory) noexcept
{
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void *memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void *memory, const std::nothrow_t &) noexcept
{
    std::free(memory);
}

void operator delete[](void *memory, const std::nothrow_t &) noexcept
{
    std::free(memory);
}
