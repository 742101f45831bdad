// The anti-rogue port masks as the switch_property table stores them.
#include "db/PortMask.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PortMasks, BitsAreMostSignificantFirstPerModel) {
  const std::string model16 = "1.3.6.1.4.1.44711.10.76.1", model24 = "1.3.6.1.4.1.44711.10.76.2";
  struct Case {
    const char* mask;
    int port;
    const std::string& model;
    bool set;
    bool invalid;
  } cases[] = {
      {"80 01", 1, model16, true, false},     {"80 01", 16, model16, true, false},
      {"80 01", 9, model16, false, false},    {"80 01", 8, model16, false, false},
      {"80 01", 17, model16, false, true},    {"80 01", 0, model16, false, true},
      {"00 00 01", 24, model24, true, false}, {"00 00 01", 17, model24, false, false},
      {"ff ff ff", 25, model24, false, true}, {"ff", 9, model16, false, false},  // missing bytes: not blocked
      {"ff ff", 1, "1.3.6.1.4.1.44711.10.75.3", false, true},
  };
  for (const Case& c : cases) {
    const int result = IsPortInPortMask(c.mask, c.port, c.model);
    if (c.invalid) EXPECT_EQ(result, -1) << c.mask << " port " << c.port;
    else EXPECT_EQ(result != 0, c.set) << c.mask << " port " << c.port;
  }

  std::string mask = "80 1";
  EXPECT_TRUE(NormalizePortMask(mask, model16));
  EXPECT_EQ(mask, "80 01");
  mask = "A 0B c";
  EXPECT_TRUE(NormalizePortMask(mask, model24));
  EXPECT_EQ(mask, "0a 0b 0c");
  mask = "1 2";
  EXPECT_FALSE(NormalizePortMask(mask, "1.3.6.1.4.1.9"));
  EXPECT_EQ(mask, "1 2");

  // A mask sent as bytes keeps every bit, printable bytes included, and reads back through the mask test.
  mask = FormatPortMaskOctets({0x20, 0x20, 0xAB});
  EXPECT_EQ(mask, "20 20 AB");
  EXPECT_NE(IsPortInPortMask(mask, 3, model24), 0);
  EXPECT_EQ(IsPortInPortMask(mask, 4, model24), 0);
  EXPECT_EQ(FormatPortMaskOctets({}), "");
}

}  // namespace
