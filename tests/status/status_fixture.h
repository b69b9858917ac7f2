// A Program without start-up for the status tests: reports are filed as the
// reply reader files them, and the radio's bytes come from a scripted peer.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "status/file_message.h"
#include "support/scenario.h"

namespace qd::test {

class StatusTest : public ::testing::Test {
 protected:
  explicit StatusTest(int firmwareType = 3) : s({.firmwareType = firmwareType}) {
    s.AttachRadioPeer(radio);
    p.main.ModeText = "REMOTE";  // the panel as start-up leaves it for a REMOTE radio
  }

  // Files messages as if the radio had just reported them.
  void Report(std::initializer_list<const char*> messages) {
    for (const char* m : messages) FileMessage(p, m);
  }
  // Everything the program wrote to the radio, line feeds shown as <LF>.
  std::string Sent() const { return Visible(s.radio.Sent()); }

  Scenario s;
  Program& p = s.p;
  ScriptedPeer radio;
};

}  // namespace qd::test
