// Fixture for the setup tests: a Scenario whose program runs in a fresh
// temporary working directory (the settings files land there), with the setup
// handlers registered and a port probe answering from a set of port numbers.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "link/events.h"
#include "setup/setup_menu.h"
#include "support/scenario.h"
#include "support/test_files.h"

namespace qd::test {

// An action on a control of a dialog.
Action On(const std::string& form, Action a);

class SetupTest : public ::testing::Test {
 protected:
  SetupTest() {
    RegisterSetupHandlers(p);
    p.portPresent = [this](int n) { return present.count(n) > 0; };
    // A dialog left open by a faulty handler ends the run instead of hanging it.
    s.windowing.StopAt(s.clock.Now() + 600);
  }

  // Posts a main-window menu click and runs it.
  void ClickMenu(const std::string& entry) {
    p.actions.Post(Click(entry));
    DoEvents(p);
  }

  TempCwd cwd;
  Scenario s;
  Program& p = s.p;
  std::set<int> present;
};

}  // namespace qd::test
