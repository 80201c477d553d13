#pragma once

#include <stdexcept>
#include <string>

namespace runtime {

enum class ErrorKind { Overflow, FloatingPoint, Host };

// The one error type of the program. An error ends the procedure that raised it
// and every caller up to the event handler; only the host loop catches it.
class Error final : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

  ErrorKind kind() const noexcept { return kind_; }

 private:
  ErrorKind kind_;
};

}  // namespace runtime
