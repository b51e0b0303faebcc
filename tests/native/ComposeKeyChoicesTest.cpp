// The compose-key choices as the Options dialog shows them, and when a choice takes away the
// AltGr characters of the user's keyboard layout.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/ComposeKey.h"
#include "common/Text.h"
#include "compose/AltGrConflict.h"

namespace kq {
namespace {

TEST(ComposeKeyDisplayName, NamesEveryChoiceInListOrder) {
  const std::map<int, std::u16string> expected = {
      {0, u"Right Alt (AltGr)"},
      {1, u"Right Control"},
      {2, u"Left Control"},
      {3, u"Alt + Left Windows key"},
      {4, u"Alt + Right Windows key"},
      {5, u"F1"},
      {16, u"F12"},
      {17, u"Alt + F1"},
      {19, u"Alt + F3"},
      {20, u"Alt + F5"},
      {27, u"Alt + F12"},
  };
  for (const auto& [ordinal, name] : expected)
    EXPECT_EQ(ComposeKeyDisplayName(static_cast<TComposeKey>(ordinal)), name) << ordinal;
  for (int ordinal = 0; ordinal < kComposeKeyCount; ++ordinal) {
    std::u16string name = ComposeKeyDisplayName(static_cast<TComposeKey>(ordinal));
    EXPECT_FALSE(name.empty()) << ordinal;
    EXPECT_EQ(name.find(u'_'), std::u16string::npos) << ToUtf8(name);
  }
}

// A layout as a table of the characters it types; the rest it does not.
class TableLayout : public platform::KeyboardLayout {
 public:
  explicit TableLayout(std::map<char16_t, platform::KeyStroke> keys) : keys_(std::move(keys)) {}
  std::optional<platform::KeyStroke> KeyFor(char16_t character) const override {
    auto found = keys_.find(character);
    if (found == keys_.end())
      return std::nullopt;
    return found->second;
  }

 private:
  std::map<char16_t, platform::KeyStroke> keys_;
};

constexpr std::uint8_t kVkQ = 0x51, kVkE = 0x45, kVk2 = 0x32, kVkA = 0x41;

// The characters that matter of a US and of a German layout, as VkKeyScanEx gives them.
const TableLayout kUnitedStates({{u'a', {kVkA, 0}},
                                 {u'A', {kVkA, platform::kShift}},
                                 {u'@', {kVk2, platform::kShift}},
                                 {u'q', {kVkQ, 0}}});
const TableLayout kGerman({{u'a', {kVkA, 0}},
                           {u'q', {kVkQ, 0}},
                           {u'@', {kVkQ, platform::kAltGr}},
                           {u'\u20ac', {kVkE, platform::kAltGr}},
                           {u'"', {kVk2, platform::kShift}}});
// Ctrl alone or Alt alone is not AltGr.
const TableLayout kControlOnly({{u'\x1b', {0xDB, platform::kCtrl}},
                                {u'x', {0x58, platform::kAlt}}});

TEST(AltGrConflict, AGermanLayoutLosesItsAltGrCharactersToTwoComposeKeys) {
  EXPECT_FALSE(compose::LayoutTypesWithAltGr(kUnitedStates));
  EXPECT_TRUE(compose::LayoutTypesWithAltGr(kGerman));
  EXPECT_FALSE(compose::LayoutTypesWithAltGr(kControlOnly));
  // AltGr reaches Windows as Left Control with Right Alt: a compose key on either catches it.
  for (int ordinal = 0; ordinal < kComposeKeyCount; ++ordinal) {
    const auto key = static_cast<TComposeKey>(ordinal);
    EXPECT_EQ(compose::ComposeKeyUsesAltGr(key),
              key == TComposeKey::Right_Alt_Gr || key == TComposeKey::Left_Control)
        << ordinal;
  }
}

}  // namespace
}  // namespace kq
