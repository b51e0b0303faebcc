// The compose state machine against a keyboard that behaves like the system's: which key
// events it stops, what it posts to the main window, and what it reads from the settings.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "compose/HookWatchdog.h"
#include "compose/KeyHook.h"
#include "fakes/FakeComposeSettings.h"
#include "fakes/FakeComposeSystem.h"

namespace kq::compose {
namespace {

using testing::FakeComposeSettings;
using testing::FakeKeyboard;
using testing::Posted;
using namespace std::chrono_literals;

constexpr std::uint32_t kToggleIcon = 0xC001;
constexpr std::uint32_t kTranslateKeys = 0xC002;
constexpr std::uintptr_t kApplication = 0x100;
constexpr std::uintptr_t kFocused = 0x200;
constexpr std::uintptr_t kForeground = 0x300;

constexpr std::uint32_t kQuote = 0xDE;  // VK_OEM_7, ' and " on a US layout
constexpr std::uint32_t kLeft = 0x25;
constexpr std::uint32_t kF5 = 116;

struct Key {
  std::uint32_t virtualKey;
  bool down;
};
constexpr Key D(std::uint32_t virtualKey) {
  return {virtualKey, true};
}
constexpr Key U(std::uint32_t virtualKey) {
  return {virtualKey, false};
}
// A press and its release.
std::vector<Key> Tap(std::uint32_t virtualKey) {
  return {D(virtualKey), U(virtualKey)};
}
std::vector<Key> Keys(std::initializer_list<std::vector<Key>> parts) {
  std::vector<Key> all;
  for (const auto& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

Posted Toggle(int on) {
  return {kApplication, kToggleIcon, static_cast<std::uintptr_t>(on), 0};
}
Posted Translate(char16_t first, char16_t second, std::uintptr_t target = kFocused) {
  return {kApplication, kTranslateKeys,
          static_cast<std::uintptr_t>(first) | static_cast<std::uintptr_t>(second) << 16,
          static_cast<std::intptr_t>(target)};
}

std::string Describe(const std::vector<Posted>& posted) {
  std::string text;
  for (const auto& p : posted) {
    text += p.message == kToggleIcon      ? "Toggle("
            : p.message == kTranslateKeys ? "Translate("
                                          : "Message(" + std::to_string(p.message) + ",";
    text += std::to_string(p.wParam) + "," + std::to_string(p.lParam) + " to " +
            std::to_string(p.window) + ") ";
  }
  return text;
}

class KeyHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.toggleIcon = kToggleIcon;
    settings.translateKeys = kTranslateKeys;
    settings.parentHandle = kApplication;
    keyboard.focused = kFocused;
    keyboard.foreground = kForeground;
  }

  // 'S' for each event the hook stopped, '.' for each it passed on.
  std::string Feed(const std::vector<Key>& keys) {
    std::string stopped;
    for (const auto& key : keys)
      stopped += keyboard.Feed(hook, key.virtualKey, key.down) == KeyAction::Stop ? 'S' : '.';
    return stopped;
  }
  void Choose(TComposeKey key) { settings.composeKey = key; }

  FakeComposeSettings settings;
  FakeKeyboard keyboard;
  KeyHook hook{settings, keyboard};
};

// The fake itself: it must behave like the system for the machine's tests to mean anything.
TEST_F(KeyHookTest, FakeKeyboardKeepsSidedModifiersAndShiftedCharacters) {
  EXPECT_EQ(keyboard.TypeKey('E').character, u'e');
  EXPECT_EQ(keyboard.TypeKey(kQuote).character, u'\'');
  for (std::uint32_t shift : {vk::LShift, vk::RShift}) {
    keyboard.Apply(shift, true);
    EXPECT_TRUE(keyboard.IsDown(vk::Shift));
    EXPECT_EQ(keyboard.TypeKey('E').character, u'E');
    EXPECT_EQ(keyboard.TypeKey(kQuote).character, u'"');
    keyboard.Apply(shift, false);
    EXPECT_FALSE(keyboard.IsDown(vk::Shift));
  }
  keyboard.Apply(vk::LShift, true);
  keyboard.Apply(vk::RShift, true);
  keyboard.Apply(vk::LShift, false);
  EXPECT_TRUE(keyboard.IsDown(vk::Shift)) << "the right Shift is still down";
  keyboard.Apply(vk::RShift, false);

  keyboard.Apply(vk::RControl, true);
  EXPECT_EQ(keyboard.TypeKey('A').character, 1u);
  EXPECT_EQ(keyboard.TypeKey(kQuote).character, 0u);
  keyboard.Apply(vk::RControl, false);
  EXPECT_EQ(keyboard.TypeKey(vk::LControl).character, 0u);
  EXPECT_EQ(keyboard.TypeKey(kLeft).character, 0u);

  keyboard.SetDeadKey(kQuote);
  EXPECT_TRUE(keyboard.TypeKey(kQuote).dead);
  EXPECT_FALSE(keyboard.TypeKey('E').dead);
}

TEST_F(KeyHookTest, FakeKeyboardSetsTheAltFlagAndIgnoresStoppedPresses) {
  EXPECT_EQ(keyboard.Event(vk::RMenu, true).flags, kAltDownFlag);
  EXPECT_EQ(keyboard.Event(kF5, true).flags, 0u);
  keyboard.Apply(vk::LMenu, true);
  EXPECT_EQ(keyboard.Event(kF5, true).flags, kAltDownFlag);
  keyboard.Apply(vk::LMenu, false);
  EXPECT_EQ(keyboard.Event(kF5, true).flags, 0u);

  // The right Alt is the compose key: its stopped press never reaches the key state.
  EXPECT_EQ(keyboard.Feed(hook, vk::RMenu, true), KeyAction::Stop);
  EXPECT_FALSE(keyboard.IsDown(vk::RMenu));
  EXPECT_EQ(keyboard.Feed(hook, vk::LShift, true), KeyAction::Pass);
  EXPECT_TRUE(keyboard.IsDown(vk::Shift));
}

struct HookCase {
  const char* name;
  std::vector<Key> keys;
  std::vector<Posted> expected;
  std::string stopped;  // one mark per key event
  TComposeKey composeKey = TComposeKey::Right_Alt_Gr;
  std::uint32_t deadKey = 0;
};

void PrintTo(const HookCase& c, std::ostream* os) {
  *os << c.name;
}

class KeyHookTable : public KeyHookTest, public ::testing::WithParamInterface<HookCase> {};

TEST_P(KeyHookTable, StopsAndPosts) {
  const HookCase& c = GetParam();
  Choose(c.composeKey);
  if (c.deadKey)
    keyboard.SetDeadKey(c.deadKey);
  ASSERT_EQ(c.stopped.size(), c.keys.size()) << "the case needs one mark per event";
  EXPECT_EQ(Feed(c.keys), c.stopped);
  EXPECT_EQ(keyboard.posted, c.expected)
      << "posted: " << Describe(keyboard.posted) << "\nexpected: " << Describe(c.expected);
  EXPECT_FALSE(hook.Current().ComposeActive) << "every case ends outside compose mode";
}

const std::vector<Key> kCompose = Tap(vk::RMenu);

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeyHookTable,
    ::testing::Values(
        HookCase{"ComposeThenTwoKeys",
                 Keys({kCompose, Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e')},
                 "S.S.S."},
        HookCase{"KeysOutsideComposeModePass",
                 Keys({Tap('E'), Tap(kQuote), Tap(vk::LControl)}),
                 {},
                 "......"},
        HookCase{"ShiftHeldGivesTheShiftedCharacter",
                 Keys({kCompose, Tap(kQuote), {D(vk::LShift)}, Tap('E'), {U(vk::LShift)}}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'E')},
                 "S.S..S.."},
        HookCase{"RightShiftOnTheFirstKey",
                 Keys({kCompose, {D(vk::RShift)}, Tap(kQuote), {U(vk::RShift)}, Tap('A')}),
                 {Toggle(1), Toggle(0), Translate(u'"', u'a')},
                 "S..S..S."},
        HookCase{"ModifiersNeitherCountNorEndComposeMode",
                 Keys({kCompose, Tap(vk::LMenu), Tap(vk::LWin), Tap(vk::RWin), Tap(vk::Apps),
                       Tap(vk::Shift), Tap(vk::Control), Tap(vk::Menu), Tap('A'), Tap(vk::LShift),
                       Tap(vk::RShift), Tap('B')}),
                 {Toggle(1), Toggle(0), Translate(u'a', u'b')},
                 "S...............S.....S."},
        HookCase{"CtrlKeysCountAsCharacterZero",
                 Keys({kCompose, Tap(vk::LControl), Tap(vk::RControl)}),
                 {Toggle(1), Toggle(0), Translate(0, 0)},
                 "S.S.S."},
        // The stopped Ctrl press never reaches the key state, so the letter is plain.
        HookCase{"CtrlWithALetterIsTwoKeys",
                 Keys({kCompose, {D(vk::LControl)}, Tap('A'), {U(vk::LControl)}}),
                 {Toggle(1), Toggle(0), Translate(0, u'a')},
                 "S.SS.."},
        HookCase{"ArrowAndOtherFunctionKeysCountAsCharacterZero",
                 Keys({kCompose, Tap(kLeft), Tap(vk::F1)}),
                 {Toggle(1), Toggle(0), Translate(0, 0)},
                 "S.S.S."},
        HookCase{"ComposeKeyTwiceLeavesAndPassesTheSecondPress",
                 Keys({kCompose, kCompose, Tap('E')}),
                 {Toggle(1), Toggle(0)},
                 "S....."},
        HookCase{"ComposeKeyAfterTheFirstKeyLeaves",
                 Keys({kCompose, Tap(kQuote), kCompose, Tap('E')}),
                 {Toggle(1), Toggle(0)},
                 "S.S....."},
        HookCase{"DeadFirstKeyLeavesAndPassesOn",
                 Keys({kCompose, Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0)},
                 "S.....",
                 TComposeKey::Right_Alt_Gr,
                 kQuote},
        HookCase{"DeadSecondKeyLeavesAndPassesOn",
                 Keys({kCompose, Tap('E'), Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0)},
                 "S.S.....",
                 TComposeKey::Right_Alt_Gr,
                 kQuote},
        HookCase{"TwoSequencesInARow",
                 Keys({kCompose, Tap(kQuote), Tap('E'), kCompose, Tap('A'), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e'), Toggle(1), Toggle(0),
                  Translate(u'a', u'e')},
                 "S.S.S.S.S.S."},
        // With the right Ctrl as compose key the right Alt is one of the modifiers.
        HookCase{"RightAltIsAModifierForAnotherComposeKey",
                 Keys({Tap(vk::RControl), Tap(vk::RMenu), Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e')},
                 "S...S.S.",
                 TComposeKey::Right_Control},
        HookCase{"LeftCtrlComposesAndTheRightCtrlCountsAsZero",
                 Keys({Tap(vk::LControl), Tap(vk::RControl), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(0, u'e')},
                 "S.S.S.",
                 TComposeKey::Left_Control},
        HookCase{"F5ComposesWithAltToo",
                 Keys({{D(vk::LMenu)}, Tap(kF5), {U(vk::LMenu)}, Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e')},
                 ".S..S.S.",
                 TComposeKey::F5},
        HookCase{
            "AltF5PassesAPlainF5", Keys({Tap(kF5), Tap(kQuote)}), {}, "....", TComposeKey::Alt_F5},
        HookCase{"AltF5ComposesWithAlt",
                 Keys({{D(vk::LMenu)}, Tap(kF5), {U(vk::LMenu)}, Tap(kQuote), Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e')},
                 ".S..S.S.",
                 TComposeKey::Alt_F5},
        HookCase{"AltLeftWinComposesAndTheWindowsKeyIsAModifierAfterwards",
                 Keys({{D(vk::RMenu)},
                       Tap(vk::LWin),
                       {U(vk::RMenu)},
                       Tap(vk::RWin),
                       Tap(kQuote),
                       Tap('E')}),
                 {Toggle(1), Toggle(0), Translate(u'\'', u'e')},
                 ".S....S.S.",
                 TComposeKey::Alt_LeftWin},
        HookCase{"AnUndefinedChoiceNeverComposes",
                 Keys({kCompose, Tap(kF5), Tap(vk::LControl)}),
                 {},
                 "......",
                 static_cast<TComposeKey>(28)}),
    [](const auto& info) { return std::string(info.param.name); });

// A compose key stopped while an Alt key is down would leave the application an Alt press
// and release with nothing between them, and it would enter its menu: the hook sends a
// masking keystroke then, whether the system sets the Alt flag (Windows) or not (Wine).
struct MaskCase {
  const char* name;
  std::vector<Key> keys;
  TComposeKey composeKey;
  int masks;
};

void PrintTo(const MaskCase& c, std::ostream* os) {
  *os << c.name;
}

class MaskingKeystroke : public KeyHookTest,
                         public ::testing::WithParamInterface<std::tuple<MaskCase, bool>> {};

TEST_P(MaskingKeystroke, SentOnlyWhileAnotherAltKeyIsDown) {
  const auto& [c, altFlag] = GetParam();
  keyboard.reportsAltFlag = altFlag;
  Choose(c.composeKey);
  Feed(c.keys);
  EXPECT_EQ(keyboard.masked, c.masks);
  ASSERT_FALSE(keyboard.posted.empty());
  EXPECT_EQ(keyboard.posted.front(), Toggle(1)) << "the compose key was not recognised";
}

const std::vector<Key> kPair = Keys({Tap(kQuote), Tap('E')});

INSTANTIATE_TEST_SUITE_P(
    AltAround, MaskingKeystroke,
    ::testing::Combine(
        ::testing::Values(
            MaskCase{"RightAltAlone", Keys({kCompose, kPair}), TComposeKey::Right_Alt_Gr, 0},
            // The X server's keyboard gives AltGr as left Alt, then right Alt.
            MaskCase{"LeftAltThenRightAlt",
                     Keys({{D(vk::LMenu), D(vk::RMenu), U(vk::RMenu), U(vk::LMenu)}, kPair}),
                     TComposeKey::Right_Alt_Gr, 1},
            MaskCase{"LeftAltHeldAroundF5", Keys({{D(vk::LMenu)}, Tap(kF5), {U(vk::LMenu)}, kPair}),
                     TComposeKey::F5, 1},
            MaskCase{"AltReleasedBeforeF5", Keys({Tap(vk::LMenu), Tap(kF5), kPair}),
                     TComposeKey::F5, 0},
            MaskCase{"PlainF5", Keys({Tap(kF5), kPair}), TComposeKey::F5, 0},
            MaskCase{"RightAltHeldAroundRightCtrl",
                     Keys({{D(vk::RMenu)}, Tap(vk::RControl), {U(vk::RMenu)}, kPair}),
                     TComposeKey::Right_Control, 1}),
        ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "WithAltFlag" : "WithoutAltFlag");
    });

// The choices that need the Alt flag compose only where the system sets it.
TEST_F(KeyHookTest, AltChoicesHeldWithAltAreMasked) {
  for (TComposeKey key : {TComposeKey::Alt_F5, TComposeKey::Alt_LeftWin}) {
    Choose(key);
    keyboard.masked = 0;
    const std::uint32_t virtualKey = key == TComposeKey::Alt_F5 ? kF5 : vk::LWin;
    EXPECT_EQ(Feed(Keys({{D(vk::LMenu)}, Tap(virtualKey), {U(vk::LMenu)}, kPair})), ".S..S.S.");
    EXPECT_EQ(keyboard.masked, 1) << static_cast<int>(key);
  }
}

TEST_F(KeyHookTest, ItsOwnMarkedKeysPassAndNeverCount) {
  auto own = [&](std::uint32_t virtualKey, bool down) {
    KeyEvent event = keyboard.Event(virtualKey, down);
    event.extraInfo = kOwnKeyMark;
    return hook.KeyboardHook(event);
  };
  EXPECT_EQ(own(vk::RMenu, true), KeyAction::Pass) << "a marked compose key";
  EXPECT_FALSE(hook.Current().ComposeActive);
  Feed(kCompose);
  EXPECT_EQ(own(kMaskingKey, true), KeyAction::Pass);
  EXPECT_EQ(own(kMaskingKey, false), KeyAction::Pass);
  EXPECT_FALSE(hook.Current().FirstCaptured);
  EXPECT_EQ(keyboard.typed, 0);
  EXPECT_EQ(Feed(kPair), "S.S.");
  EXPECT_EQ(keyboard.posted.back(), Translate(u'\'', u'e'));
}

struct ComposeKeyCase {
  TComposeKey key;
  std::uint32_t virtualKey;
  bool alt;
  bool matches;
};

TEST(IsComposeKey, EachKindOfChoice) {
  using enum TComposeKey;
  const ComposeKeyCase cases[] = {
      {Right_Alt_Gr, vk::RMenu, true, true},
      {Right_Alt_Gr, vk::LMenu, true, false},
      {Right_Control, vk::RControl, false, true},
      {Right_Control, vk::LControl, false, false},
      {Left_Control, vk::LControl, false, true},
      {Left_Control, vk::RControl, false, false},
      {Alt_LeftWin, vk::LWin, true, true},
      {Alt_LeftWin, vk::LWin, false, false},
      {Alt_LeftWin, vk::RWin, true, false},
      {Alt_RightWin, vk::RWin, true, true},
      {Alt_RightWin, vk::RWin, false, false},
      {F1, 112, false, true},
      {F1, 112, true, true},
      {F1, 113, false, false},
      {F4, 115, false, true},
      {F12, 123, true, true},
      {F12, 122, false, false},
      {Alt_F1, 112, true, true},
      {Alt_F1, 112, false, false},
      {Alt_F3, 114, true, true},
      {Alt_F3, 115, true, false},
      {Alt_F5, 116, true, true},
      {Alt_F5, 115, true, false},
      {Alt_F5, 116, false, false},
      {Alt_F12, 123, true, true},
      {Alt_F12, 124, true, false},
      {static_cast<TComposeKey>(-1), vk::RMenu, true, false},
      {static_cast<TComposeKey>(28), 124, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.key)) + " key " + std::to_string(c.virtualKey) +
                 (c.alt ? " with Alt" : ""));
    EXPECT_EQ(IsComposeKey(c.key, c.virtualKey, c.alt ? kAltDownFlag : 0), c.matches);
  }
}

TEST_F(KeyHookTest, TheTargetIsTheFocusedWindowElseTheForegroundOne) {
  struct Case {
    std::uintptr_t focused, foreground, target;
  };
  for (const Case& c :
       {Case{kFocused, kForeground, kFocused}, Case{0, kForeground, kForeground}, Case{0, 0, 0}}) {
    keyboard.focused = c.focused;
    keyboard.foreground = c.foreground;
    keyboard.posted.clear();
    Feed(Keys({kCompose, Tap(kQuote), Tap('E')}));
    ASSERT_EQ(keyboard.posted.size(), 3u);
    EXPECT_EQ(keyboard.posted.back(), Translate(u'\'', u'e', c.target));
  }
}

TEST_F(KeyHookTest, EventsWithAnotherHookCodePassUntouched) {
  Feed(kCompose);
  KeyEvent event = keyboard.Event('E', true);
  event.code = 3;  // HC_NOREMOVE
  EXPECT_EQ(hook.KeyboardHook(event), KeyAction::Pass);
  EXPECT_FALSE(hook.Current().FirstCaptured);
  EXPECT_EQ(keyboard.typed, 0);
  EXPECT_EQ(keyboard.posted, std::vector<Posted>{Toggle(1)});
}

TEST_F(KeyHookTest, ACharacterlessFirstKeyIsStoredAsZero) {
  Feed(Keys({kCompose, Tap(kQuote), Tap('E')}));
  ASSERT_EQ(hook.Current().FirstChar, u'\'');
  Feed(Keys({kCompose, Tap(kLeft)}));
  EXPECT_TRUE(hook.Current().FirstCaptured);
  EXPECT_EQ(hook.Current().FirstChar, 0u);
}

TEST_F(KeyHookTest, MessagesGoToTheReceiverOfTheMoment) {
  Feed(kCompose);
  settings.SetParentHandle(0x999);
  Feed(Keys({Tap(kQuote), Tap('E')}));
  ASSERT_EQ(keyboard.posted.size(), 3u);
  EXPECT_EQ(keyboard.posted[0].window, kApplication);
  EXPECT_EQ(keyboard.posted[1].window, 0x999u);
  EXPECT_EQ(keyboard.posted[2].window, 0x999u);
}

TEST_F(KeyHookTest, KeyDelayWaitsBeforeEachKeyReadInComposeMode) {
  settings.delayKeys = true;
  Feed(Keys({Tap('E'), kCompose, Tap(vk::LShift), Tap(kQuote), Tap('E')}));
  EXPECT_EQ(keyboard.slept, (std::vector<std::chrono::milliseconds>{kKeyDelay, kKeyDelay}));
  EXPECT_EQ(kKeyDelay, 180ms);

  // Read at every key: switched off in the middle of a sequence, the second key is not delayed.
  keyboard.slept.clear();
  Feed(Keys({kCompose, Tap(kQuote)}));
  settings.delayKeys = false;
  Feed(Tap('E'));
  EXPECT_EQ(keyboard.slept.size(), 1u);
  EXPECT_EQ(keyboard.posted.back(), Translate(u'\'', u'e'));
}

TEST_F(KeyHookTest, ANewComposeKeyCountsFromTheNextKeyPress) {
  EXPECT_EQ(Feed(Keys({kCompose, Tap(kQuote), Tap('E')})), "S.S.S.");
  Choose(TComposeKey::F5);  // as the Options dialog writes it
  EXPECT_EQ(Feed(Keys({kCompose, Tap(kF5), Tap(kQuote), Tap('E')})), "..S.S.S.");

  // Changed while compose mode is on: the old key is now an ordinary key without a
  // character, and the new one leaves.
  Feed(Tap(kF5));
  Choose(TComposeKey::Right_Alt_Gr);
  EXPECT_EQ(Feed(Tap(kF5)), "S.");
  EXPECT_TRUE(hook.Current().FirstCaptured);
  EXPECT_EQ(Feed(Tap(vk::RMenu)), "..");
  EXPECT_FALSE(hook.Current().ComposeActive);
}

TEST(HookWatchdog, InputAfterTheLastEventSeenIsMissedAcrossTheClockWrap) {
  struct Case {
    std::uint32_t lastInput, lastSeen;
    bool missed;
  };
  for (const Case& c : {Case{1000, 1000, false}, Case{999, 1000, false}, Case{1001, 1000, true},
                        Case{5, 0xFFFFFFF0u, true}, Case{0xFFFFFFF0u, 5, false}}) {
    EXPECT_EQ(HookMissedInput(c.lastInput, c.lastSeen), c.missed)
        << c.lastInput << " " << c.lastSeen;
  }
}

}  // namespace
}  // namespace kq::compose
