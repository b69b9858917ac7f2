// Run-time errors of the panel: one exception type with a number and a
// description, as the operator's messages show them ("<routine>: Err <n>. <text>").
// Ending the program is a separate type, so broad error handlers never swallow it.
#pragma once

#include <stdexcept>
#include <string>

namespace qd {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}
  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// Conventional numbers the messages expect.
constexpr int kErrTypeMismatch = 13;
constexpr int kErrFileNotFound = 53;
constexpr int kErrPermissionDenied = 70;
constexpr int kErrDeviceIo = 57;

// A failed conversion of text to a number.
inline RuntimeError TypeMismatch() {
  return RuntimeError(kErrTypeMismatch, "Type mismatch");
}

// A failed system call: carries errno and the system's text.
RuntimeError SystemError(int errnoValue);

// "<routine>: Err <number>. <description>"
std::string ErrorText(const std::string& routine, const RuntimeError& e);

// Thrown by the shutdown routine and caught only in main(): the program ends.
struct ProgramEnd {};

}  // namespace qd
