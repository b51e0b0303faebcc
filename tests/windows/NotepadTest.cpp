// The real Keyquill.exe composing into Wine's Notepad, an application nobody here wrote, read
// back through its edit control from this process. The keys come from SendInput and from the
// X server's keyboard (xdotool), the way a person's keyboard reaches Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/KeyTarget.h"
#include "support/Notepad.h"
#include "support/ProgramFixtures.h"
#include "support/XKeyboard.h"

namespace kq::testing {
namespace {

enum class Keyboard { SendInput, XServer };

std::string KeyboardName(const ::testing::TestParamInfo<Keyboard>& info) {
  return info.param == Keyboard::SendInput ? "SendInput" : "XServer";
}

// Keys typed after the compose key, in both forms.
struct Keys {
  std::vector<KeyStroke> sent;
  std::vector<std::string> xdotool;  // xdotool's arguments
};

struct Case {
  const char* name;
  Keys keys;
  std::wstring expected;
};

std::vector<KeyStroke> Taps(std::initializer_list<WORD> keys) {
  std::vector<KeyStroke> strokes;
  for (WORD key : keys) {
    strokes.push_back(Press(key));
    strokes.push_back(Release(key));
  }
  return strokes;
}

const Keys kApostropheE{Taps({VK_OEM_7, 'E'}), {"key", "apostrophe", "e"}};

const std::vector<Case> kCases = {
    {"apostrophe e", kApostropheE, L"\u00E9"},
    {"quote a",
     {{Press(VK_LSHIFT), Press(VK_OEM_7), Release(VK_OEM_7), Release(VK_LSHIFT), Press('A'),
       Release('A')},
      {"key", "quotedbl", "a"}},
     L"\u00E4"},
    {"a d, the address template",
     {Taps({'A', 'D'}), {"key", "a", "d"}},
     L"My name\r\nMy address\r\nMy city\r\nMy postcode\r\nMy country"},
    {"z q, undefined", {Taps({'Z', 'Q'}), {"key", "z", "q"}}, L"zq"},
};

class ComposeIntoNotepad : public CleanProgramState,
                           public ::testing::WithParamInterface<Keyboard> {
 protected:
  void SetUp() override {
    if (GetParam() == Keyboard::XServer) {
      ASSERT_TRUE(XKeyboardAvailable()) << "xdotool is missing: run scripts/bootstrap";
    }
    ASSERT_NO_FATAL_FAILURE(keyquill.Start());
    ASSERT_NO_FATAL_FAILURE(notepad.Start());
  }

  void Type(const Keys& keys) {
    if (GetParam() == Keyboard::SendInput) {
      SendKeys(keys.sent);
    } else {
      EXPECT_TRUE(XDoTool(keys.xdotool));
    }
  }

  // The compose key, right Alt, as the keyboard in use gives it.
  const Keys kComposeKey{Taps({VK_RMENU}), {"key", "Alt_R"}};
  // The left Alt held around the compose key.
  const Keys kComposeKeyInLeftAlt{
      {Press(VK_LMENU), Press(VK_RMENU), Release(VK_RMENU), Release(VK_LMENU)},
      {"keydown", "Alt_L", "key", "Alt_R", "keyup", "Alt_L"}};
  // The left Alt pressed and released alone, which puts Notepad into its menu mode.
  const Keys kLeftAltAlone{Taps({VK_LMENU}), {"key", "Alt_L"}};
  const Keys kEscape{Taps({VK_ESCAPE}), {"key", "Escape"}};

  KeyquillProcess keyquill;
  Notepad notepad;
};

TEST_P(ComposeIntoNotepad, EachPairGivesItsText) {
  for (const Case& row : kCases) {
    SCOPED_TRACE(row.name);
    notepad.Clear();
    Type(kComposeKey);
    Type(row.keys);
    EXPECT_TRUE(notepad.WaitForText(row.expected));
    EXPECT_EQ(notepad.Text(), row.expected);
    EXPECT_FALSE(Notepad::MenuOpen());
  }
}

TEST_P(ComposeIntoNotepad, TheLeftAltHeldAroundTheComposeKeyOpensNoMenu) {
  Type(kComposeKeyInLeftAlt);
  Type(kApostropheE);
  EXPECT_TRUE(notepad.WaitForText(L"\u00E9"))
      << "Notepad holds: " << notepad.Text().size() << " characters";
  EXPECT_FALSE(Notepad::MenuOpen());

  // Without the masking keystroke the same Alt press and release would open the menu, and the
  // characters would choose from it: "e" opens Edit. The check above can see that.
  Type(kLeftAltAlone);
  Type({Taps({'E'}), {"key", "e"}});
  bool menuSeen = false;
  for (int i = 0; i < 100 && !menuSeen; ++i) {
    menuSeen = Notepad::MenuOpen();
    Sleep(20);
  }
  EXPECT_TRUE(menuSeen) << "Notepad's menu did not open for a left Alt alone";
  Type(kEscape);
  Type(kEscape);
}

INSTANTIATE_TEST_SUITE_P(Keyboards, ComposeIntoNotepad,
                         ::testing::Values(Keyboard::SendInput, Keyboard::XServer), KeyboardName);

}  // namespace
}  // namespace kq::testing
