#pragma once

namespace vantor {

// Raises a flag for as long as it lives, lowered again however the scope
// is left.
class FlagScope {
public:
    explicit FlagScope(bool &flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &flag_;
};

} // namespace vantor
