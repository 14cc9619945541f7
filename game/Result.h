#pragma once
// How the rules report a failure: a value, or the message that says why
// there is none. The message is the text shown to the user.

#include <string>
#include <utility>

namespace quimba {

// Success that carries nothing.
struct Done {};

template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string message) {
        Result r{T{}};
        r.ok_ = false;
        r.error_ = std::move(message);
        return r;
    }

    bool Ok() const { return ok_; }
    // Empty when Ok().
    const std::string& Error() const { return error_; }
    // Meaningful only when Ok().
    const T& Value() const { return value_; }
    T& Value() { return value_; }

private:
    T value_;
    bool ok_ = true;
    std::string error_;
};

using Status = Result<Done>;

}  // namespace quimba
