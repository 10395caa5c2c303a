#pragma once

#include <stdexcept>
#include <string>

namespace palvex {

// The run-time error numbers a host sees.
enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrInternal = 51,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrPathAccess = 75,
  kErrNoSuchElement = 340,
  kErrInvalidPropertyValue = 380,
  kErrArgumentNotOptional = 449,
  kErrNoSuchMember = 438,
  kErrWrongArgumentCount = 450,
  kErrClipboard = 521,
};

// The standard message for an error number.
std::string ErrorMessage(int number);

// An error a public member hands back to its caller: the number the host
// sees and a message. Automation turns it into a status code, the widget
// into a warning, the command line into a message and an exit code.
class ChartError : public std::runtime_error {
 public:
  explicit ChartError(int number) : ChartError(number, ErrorMessage(number)) {}
  ChartError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// One step of a routine that goes on after a failing step: the run-time
// error it raises is dropped, and the caller runs its next step.
template <typename F>
void IgnoreErrors(F&& step) {
  try {
    step();
  } catch (const ChartError&) {
  }
}

}  // namespace palvex
