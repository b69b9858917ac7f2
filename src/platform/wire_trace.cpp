#include "platform/wire_trace.h"

#include <cerrno>
#include <cmath>

#include "platform/errors.h"

namespace qd {

WireTrace::WireTrace(const std::string& path, Clock& clock)
    : file_(std::fopen(path.c_str(), "ae")), clock_(clock) {
  if (!file_) throw SystemError(errno);
}

WireTrace::~WireTrace() {
  std::fclose(file_);
}

void WireTrace::Record(std::string_view label, std::string_view what, std::string_view bytes) {
  const auto ms = static_cast<long>(std::floor(clock_.TimeOfDay() * 1000)) % 86400000L;
  std::fprintf(file_, "%02ld:%02ld:%02ld.%03ld %.*s %.*s %s\n", ms / 3600000, ms / 60000 % 60,
               ms / 1000 % 60, ms % 1000, static_cast<int>(label.size()), label.data(),
               static_cast<int>(what.size()), what.data(), VisibleBytes(bytes).c_str());
  std::fflush(file_);  // the trace is for bug reports: keep it whole if we crash
}

std::string VisibleBytes(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      out += "<LF>";
    } else if (c == '\r') {
      out += "<CR>";
    } else if (c < 0x20 || c >= 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += {'<', kHex[c >> 4], kHex[c & 15], '>'};
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool TracingSerialPort::Open(int portNumber, const std::string& settings, Handshake handshake) {
  const bool ok = inner_.Open(portNumber, settings, handshake);
  trace_.Record(label_, ok ? "OPEN" : "OPEN FAILED",
                "COM" + std::to_string(portNumber) + " " + settings +
                    (ok ? std::string() : " " + inner_.LastError()));
  return ok;
}

void TracingSerialPort::Close() {
  if (inner_.IsOpen()) trace_.Record(label_, "CLOSE", "");
  inner_.Close();
}

std::string TracingSerialPort::Input() {
  std::string bytes = inner_.Input();
  if (!bytes.empty()) trace_.Record(label_, "RX", bytes);
  return bytes;
}

void TracingSerialPort::Output(std::string_view bytes) {
  inner_.Output(bytes);  // throws on a closed port: nothing was sent
  trace_.Record(label_, "TX", bytes);
}

std::optional<PortEvent> TracingSerialPort::TakeEvent() {
  std::optional<PortEvent> e = inner_.TakeEvent();
  if (e) trace_.Record(label_, "EVENT", std::to_string(e->code));
  return e;
}

}  // namespace qd
