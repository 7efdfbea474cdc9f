// The typed text form of stored settings.
#include "platform/settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorel::platform {
namespace {

TEST(SettingText, IntegersAndStringsRoundTripAndRefuseEachOther) {
  for (int32_t value : {0, 1, -1, 350, INT32_MAX, INT32_MIN})
    EXPECT_EQ(DecodeIntegerSetting(EncodeSetting(value)), value);
  for (const std::string& value : std::vector<std::string>{
           "", "Courier New", "dword:5", "a=b;c\n\xE9\x80", std::string("nul\0in", 6)})
    EXPECT_EQ(DecodeStringSetting(EncodeSetting(value)), value);
  EXPECT_EQ(DecodeIntegerSetting(EncodeSetting("5")), std::nullopt);
  EXPECT_EQ(DecodeStringSetting(EncodeSetting(5)), std::nullopt);
}

TEST(SettingText, DamagedIntegersAreAbsent) {
  for (const char* text : {"dword:", "dword:12x", "dword: 12", "dword:4294967296",
                           "dword:-2147483649", "350", "DWORD:3", ""})
    EXPECT_EQ(DecodeIntegerSetting(text), std::nullopt) << text;
  EXPECT_EQ(DecodeStringSetting("Courier New"), std::nullopt);
}

}  // namespace
}  // namespace quorel::platform
