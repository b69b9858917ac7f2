#include "platform/errors.h"

#include <cstring>

namespace qd {

RuntimeError SystemError(int errnoValue) {
  return RuntimeError(errnoValue, std::strerror(errnoValue));
}

std::string ErrorText(const std::string& routine, const RuntimeError& e) {
  return routine + ": Err " + std::to_string(e.number()) + ". " + e.description();
}

}  // namespace qd
