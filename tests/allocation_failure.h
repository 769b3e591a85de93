#pragma once

#include <cstddef>

// While one lives, every allocation through operator new of more than
// `bytes` throws std::bad_alloc: what a render meets when memory runs out.
class LargeAllocationsFail {
public:
    explicit LargeAllocationsFail(std::size_t bytes);
    ~LargeAllocationsFail();
    LargeAllocationsFail(const LargeAllocationsFail &) = delete;
    LargeAllocationsFail &operator=(const LargeAllocationsFail &) = delete;

private:
    std::size_t before_;
};
