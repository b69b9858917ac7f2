// The wire trace written by --trace.
#include "platform/wire_trace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "pty_fixture.h"
#include "support/fake_serial_port.h"
#include "support/virtual_clock.h"

namespace qd::test {
namespace {

TEST(WireTrace, RecordsBothDirectionsWithTimeLabelAndVisibleLineEnds) {
  TempDir dir;
  VirtualClock clock(12 * 3600 + 34 * 60 + 56.789);
  FakeSerialPort radio(clock), cat(clock);
  {
    WireTrace trace(dir / "trace.txt", clock);
    TracingSerialPort tracedRadio(radio, trace, "RADIO");
    TracingSerialPort tracedCat(cat, trace, "CAT");
    ASSERT_TRUE(tracedRadio.Open(1, "9600,O,7,1", Handshake::None));
    ASSERT_TRUE(tracedCat.Open(2, "4800,N,8,1", Handshake::None));
    tracedRadio.Output("F1420000\n");
    radio.ArriveNow("A1\r\nx\x1b\x7f\n");
    clock.Advance(1.5);
    EXPECT_EQ(tracedRadio.Input(), "A1\r\nx\x1b\x7f\n");  // passed through unchanged
    EXPECT_EQ(tracedRadio.Input(), "");                   // nothing received: no line
    tracedCat.Output("FA00014200000;");
  }
  std::ifstream in(dir / "trace.txt");
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(),
            "12:34:56.789 RADIO OPEN COM1 9600,O,7,1\n"
            "12:34:56.789 CAT OPEN COM2 4800,N,8,1\n"
            "12:34:56.789 RADIO TX F1420000<LF>\n"
            "12:34:58.289 RADIO RX A1<CR><LF>x<1b><7f><LF>\n"
            "12:34:58.289 CAT TX FA00014200000;\n");
}

TEST(WireTrace, AnUnwritableTraceFileThrows) {
  VirtualClock clock;
  EXPECT_ANY_THROW(WireTrace("/nonexistent-folder/trace.txt", clock));
}

}  // namespace
}  // namespace qd::test
