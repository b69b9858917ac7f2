#include "setup/comm_ports.h"

#include <string>

#include "platform/port_paths.h"

namespace qd {

std::vector<int> GetCommPorts(Program& p) {
  std::vector<int> ports;
  for (int n = kLowestPortNumber; n <= kHighestPortNumber; ++n)
    if (p.portPresent(n)) ports.push_back(n);
  return ports;
}

void FillPortList(Program& p, ComboBox& cmbSelectPort, TextBox& txtFound) {
  cmbSelectPort.items.clear();
  txtFound.text.clear();
  for (int n : GetCommPorts(p)) {
    cmbSelectPort.items.push_back(std::to_string(n));
    txtFound.text += std::to_string(n) + ", ";
  }
  if (cmbSelectPort.items.empty()) txtFound.text = "No Ports";
}

}  // namespace qd
