// The settings text and the PARMRK decoder, byte by byte.
#include <gtest/gtest.h>

#include <string>

#include "platform/parmrk_decoder.h"
#include "platform/serial_port.h"

namespace qd {
namespace {

TEST(ParsePortSettings, ReadsTheFourPartsOrRefuses) {
  struct Case {
    const char* text;
    bool ok;
    int baud = 0;
    char parity = 0;
    int bits = 0;
    int stops = 0;
  };
  const Case cases[] = {
      {"9600,O,7,1", true, 9600, 'O', 7, 1},
      {" 1200 , n , 8 , 2 ", true, 1200, 'N', 8, 2},
      {"4800,e,7,1", true, 4800, 'E', 7, 1},
      {"300,M,8,1", true, 300, 'M', 8, 1},
      {"19200,S,7,2", true, 19200, 'S', 7, 2},
      {"", false},
      {"9600,O,7", false},
      {"9600,O,7,1,", false},
      {"9600,,7,1", false},
      {"9600,Q,7,1", false},
      {"9600,O,5,1", false},
      {"9600,O,7,0", false},
      {"0,O,7,1", false},
      {"9600x,O,7,1", false},
      {"96 00,O,7,1", false},
      {"9600,O,7.5,1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto s = ParsePortSettings(c.text);
    ASSERT_EQ(s.has_value(), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(s->baud, c.baud);
    EXPECT_EQ(s->parity, c.parity);
    EXPECT_EQ(s->dataBits, c.bits);
    EXPECT_EQ(s->stopBits, c.stops);
  }
}

// Raw bytes as read with INPCK+PARMRK.
TEST(ParmrkDecoder, MarksBecomeColonsAndBreaksAtEverySplitPoint) {
  struct Case {
    std::string raw;
    std::string data;
    int breaks;
    int errors;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"A1\n", "A1\n", 0, 0},
      {"\xff\xff", "\xff", 0, 0},  // an escaped real 0xFF
      {"M\xff\0"
       "2\n"s,
       "M:\n", 0, 1},  // a byte with a parity error
      {"F\xff\0\0"
       "1"s,
       "F1", 1, 0},                     // a break
      {"A\0B"s, "AB", 0, 0},            // NUL dropped
      {"\xff\0\0\xff\0\0"s, "", 1, 0},  // a burst of breaks counts once
      {"\xff\x41",
       "\xff"
       "A",
       0, 0},  // a lone FF from a sloppy driver kept
      {"\xff\0X\xff\xff\xff\0\0"s, ":\xff", 1, 1},
  };
  for (const Case& c : cases) {
    for (size_t split = 0; split <= c.raw.size(); ++split) {
      SCOPED_TRACE(testing::Message() << "case " << &c - cases << " split " << split);
      ParmrkDecoder d;
      const auto a = d.Feed(std::string_view(c.raw).substr(0, split));
      const auto b = d.Feed(std::string_view(c.raw).substr(split));
      EXPECT_EQ(a.data + b.data, c.data);
      EXPECT_EQ(a.errors + b.errors, c.errors);
      EXPECT_EQ(a.breaks + b.breaks > 0, c.breaks > 0);
    }
  }
}

TEST(ParmrkDecoder, SevenDataBitsClearTheTopBit) {
  ParmrkDecoder d;
  EXPECT_EQ(d.Feed("\xc1\xff\xff", true).data, "A\x7f");
}

}  // namespace
}  // namespace qd
