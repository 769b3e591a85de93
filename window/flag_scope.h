#pragma once

namespace vantor {

// Raises a flag for as long as it lives, and puts it back as it was however
// the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool &flag)
        : flag_(flag)
        , was_(flag)
    {
        flag_ = true;
    }
    ~FlagScope() { flag_ = was_; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &flag_;
    bool was_;
};

} // namespace vantor
