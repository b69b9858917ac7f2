#include "setup/handshake_options.h"

namespace qd {

int HandshakeIndexForName(const std::string& name) {
  for (std::size_t i = 0; i < kHandshakeOptions.size(); ++i)
    if (name == kHandshakeOptions[i].name) return static_cast<int>(i);
  return 0;
}

int HandshakeIndexForCode(int code) {
  for (std::size_t i = 0; i < kHandshakeOptions.size(); ++i)
    if (code == kHandshakeOptions[i].code) return static_cast<int>(i);
  return 0;
}

}  // namespace qd
