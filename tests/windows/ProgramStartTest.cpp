// What the real Keyquill.exe does with the sequence file as it starts: the defaults written at
// the first start, and a damaged file repaired after its message was shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "common/Text.h"
#include "sequences/DefaultTables.h"
#include "support/KeyquillProcess.h"
#include "support/ProgramFiles.h"
#include "support/ProgramFixtures.h"
#include "support/RawRegistry.h"

namespace kq::testing {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// The file's lines without the byte order mark; each must end in CR LF.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t at = 3;
  while (at < bytes.size()) {
    std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the last line does not end in CR LF";
      end = bytes.size();
    }
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class ProgramStart : public CleanProgramState {
 protected:
  KeyquillProcess keyquill;
};

TEST_F(ProgramStart, TheFirstStartWritesTheDefaultsInTableOrder) {
  keyquill.Start();
  EXPECT_EQ(keyquill.WaitForDialog(std::chrono::milliseconds(0)), nullptr)
      << "the first start shows nothing";
  const std::string bytes = ReadFileBytes(SequenceFilePath());
  ASSERT_EQ(bytes.substr(0, 3), kBom);
  auto lines = CrLfLines(bytes);
  auto defaults = DefaultSequences();
  ASSERT_EQ(lines.size(), 358u);
  ASSERT_EQ(defaults.size(), 358u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // A text's line breaks are written in their coded form.
    std::u16string result = defaults[i].result;
    for (std::size_t at; (at = result.find(u"\r\n")) != std::u16string::npos;)
      result.replace(at, 2, u"<CRLF>");
    EXPECT_EQ(lines[i], ToUtf8(result) + "\t" + defaults[i].sequence) << "line " << i + 1;
  }
  EXPECT_EQ(lines[0].rfind("My name<CRLF>My address<CRLF>", 0), 0u);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 358) << "no line feed of its own";
  keyquill.Stop();
}

TEST_F(ProgramStart, ADamagedFileIsRepairedOnceItsMessageIsClosed) {
  WriteFileBytes(SequenceFilePath(),
                 std::string(kBom) + "\xC3\xA9\t'e\r\nbroken\r\n\xC3\x89\t'E\r\n");
  keyquill.Launch();
  HWND box = keyquill.WaitForDialog();
  ASSERT_TRUE(box) << "no message about the damaged file";
  auto texts = DescendantTexts(box, L"Static");
  const std::wstring message =
      L"Errors were found in loaded sequence list (1 errors). These have been removed.";
  EXPECT_NE(std::find(texts.begin(), texts.end(), message), texts.end());
  EXPECT_FALSE(keyquill.WaitForTrace("Ready", std::chrono::milliseconds(0)))
      << "the start goes on only when the message is closed";
  ASSERT_TRUE(ClickButton(box, L"OK"));
  ASSERT_TRUE(keyquill.WaitForTrace("Ready"));
  EXPECT_EQ(ReadFileBytes(SequenceFilePath()),
            std::string(kBom) + "\xC3\xA9\t'e\r\n\xC3\x89\t'E\r\n");
  keyquill.Stop();
}

}  // namespace
}  // namespace kq::testing
