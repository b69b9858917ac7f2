#include "setup_fixture.h"

namespace qd::test {

Action On(const std::string& form, Action a) {
  a.form = form;
  return a;
}

}  // namespace qd::test
