// The four handshake choices of the port setup dialogs: the option captions,
// the names the settings files hold and the serial port's handshake codes.
// Both dialogs and their files share this one table.
#pragma once

#include <array>
#include <string>

namespace qd {

struct HandshakeOption {
  const char* caption;  // optHandShake(i)
  const char* name;     // line 3 of the settings files
  int code;             // the port's handshake code
};

constexpr std::array<HandshakeOption, 4> kHandshakeOptions{{
    {"NONE", "comNone", 0},
    {"XON", "comXonXoff", 1},
    {"RTS", "comRTS", 2},
    {"RTS  XON", "comRTSXonXoff", 3},
}};

// The option whose name equals `name` exactly; 0 ("NONE") for any other text.
int HandshakeIndexForName(const std::string& name);
// The option for a port's handshake code; 0 for a code outside the table.
int HandshakeIndexForCode(int code);

}  // namespace qd
