// The sequence list on the real system: the user's locale order and the file replace.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/Errors.h"
#include "common/Text.h"
#include "fakes/SettingsFixture.h"
#include "platform/MemoryRegistry.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Collator.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"
#include "sequences/CharLst.h"

namespace kq::testing {
namespace {

using win::Wide;

class SequencesOnWindows : public ::testing::Test,
                           protected ProgramSettings<platform::MemoryRegistry> {
 protected:
  win::Win32AnsiCodePage codePage;
  win::Win32Collator collator;
  win::Win32FileSystem files;
  ScriptedDialogs dialogs;
  TCharList list{{shared, codePage, collator, files, dialogs, errors}};
};

std::vector<std::u16string> Seqs(const TCharList& list) {
  std::vector<std::u16string> seqs;
  for (const auto& entry : list.Entries())
    seqs.push_back(entry.substr(entry.rfind(u'\t') + 1));
  return seqs;
}

using SequenceCollation = SequencesOnWindows;

TEST_F(SequenceCollation, WordSortWeighsHyphensAndApostrophesLightly) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int sign;
  };
  const Case cases[] = {
      {u"-L", u"co", 1},     // the hyphen hardly counts: "L" after "c"
      {u"'e", u"de", 1},     // nor the apostrophe
      {u"\t'e", u"!!", -1},  // the prefixes bring them forward
      {u"\v-L", u"!!", -1}, {u"\t'z", u"\v-a", -1},
      {u"'a", u"'A", -1},  // small letters before capitals
      {u"ab", u"ab", 0},
  };
  for (const auto& c : cases) {
    int result = collator.Compare(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << ToUtf8(c.a) << " vs " << ToUtf8(c.b);
  }
}

TEST_F(SequenceCollation, DefaultsBySequenceGroupApostropheAndHyphenKeys) {
  list.LoadDefaults();
  list.SeqSort(0, false);
  auto seqs = Seqs(list);
  auto firstOther = std::find_if(seqs.begin(), seqs.end(), [](const std::u16string& s) {
    return s[0] != u'\'' && s[0] != u'-';
  });
  auto apostrophes = std::count_if(seqs.begin(), seqs.end(),
                                   [](const std::u16string& s) { return s[0] == u'\''; });
  auto hyphens =
      std::count_if(seqs.begin(), seqs.end(), [](const std::u16string& s) { return s[0] == u'-'; });
  ASSERT_EQ(firstOther - seqs.begin(), apostrophes + hyphens);
  EXPECT_TRUE(std::all_of(seqs.begin(), seqs.begin() + apostrophes,
                          [](const std::u16string& s) { return s[0] == u'\''; }));
  // Within a group, small letters before capitals.
  auto at = [&](const char16_t* seq) { return std::find(seqs.begin(), seqs.end(), seq); };
  EXPECT_LT(at(u"'a"), at(u"'A"));
  EXPECT_LT(at(u"-e"), at(u"-E"));
  EXPECT_LT(at(u"co"), at(u"cq"));
}

TEST_F(SequenceCollation, DefaultsByEntryPutTheTextFirst) {
  list.LoadDefaults();
  list.SeqSort(1, false);
  EXPECT_EQ(list.GetSeq(0), "ad");
  auto position = [&](const char16_t* entry) {
    auto found = std::find(list.Entries().begin(), list.Entries().end(), entry);
    return found - list.Entries().begin();
  };
  EXPECT_LT(position(u"\u00e1\t'a"), position(u"\u00c1\t'A"));
  list.SeqSort(1, true);
  EXPECT_EQ(list.GetSeq(list.Count() - 1), "ad");
}

class SequenceFile : public SequencesOnWindows {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    folder = win::Core(std::wstring_view(temp, length)) + u"kq_sequences";
    std::filesystem::remove_all(Wide(folder));
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
  }
  void TearDown() override { std::filesystem::remove_all(Wide(folder)); }
  std::u16string File() const { return folder + u"\\Keyquill2.dat"; }
  std::string Content() const {
    std::ifstream in(std::filesystem::path(Wide(File())), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& item : std::filesystem::directory_iterator(Wide(folder)))
      names.push_back(item.path().filename().wstring());
    return names;
  }

  std::u16string folder;
};

TEST_F(SequenceFile, FirstStartThenNextStartThroughTheSystem) {
  list.InitList(store, folder, folder + u"\\");
  EXPECT_TRUE(errors.reported.empty());
  std::string written = Content();
  EXPECT_EQ(written.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(written.find("My name<CRLF>My address"), std::string::npos);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 358);

  TCharList next(list.Services());
  store.WriteBool(u"", u"FirstRun2", false);
  next.InitList(store, folder, folder);
  EXPECT_TRUE(errors.reported.empty());
  EXPECT_EQ(next.Entries(), list.Entries());
  EXPECT_EQ(next.TranslateSeq("'e"), u"\u00e9");
  EXPECT_EQ(Content(), written);
}

TEST_F(SequenceFile, SaveReplacesTheFileAndLeavesNothingBeside) {
  list.AddSeq(u"lone\rCR and\r\nCR LF", "tx");
  list.AddSeq(u"\u00e9", "'e");
  list.SeqFileName = File();
  std::ofstream(std::filesystem::path(Wide(File())), std::ios::binary) << "old content\r\n";
  list.SaveList();
  EXPECT_EQ(Content(),
            "\xEF\xBB\xBFlone\xEF\xB7\x90"
            "CR and<CRLF>CR LF\ttx\r\n\xC3\xA9\t'e\r\n");
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"Keyquill2.dat"});
  TCharList loaded(list.Services());
  loaded.LoadFromFile(File());
  EXPECT_EQ(loaded.Entries(), list.Entries());
  // An export is a copy, made the same way.
  files.Copy(File(), folder + u"\\Export.dat");
  EXPECT_EQ(files.ReadAll(folder + u"\\Export.dat"), Content());
}

TEST_F(SequenceFile, RefusedReplaceKeepsTheOldFile) {
  std::ofstream(std::filesystem::path(Wide(File())), std::ios::binary) << "old content\r\n";
  // Another program holds the file open and lets nobody delete or rename it.
  win::UniqueHandle held(CreateFileW(Wide(File()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  list.AddSeq(u"two\r\nlines", "tl");
  try {
    list.SaveList(File());
    ADD_FAILURE() << "a file held open must not be replaced";
  } catch (const FileError& error) {
    EXPECT_NE(error.Message().find(File()), std::u16string::npos) << error.what();
    EXPECT_NE(error.Code(), 0u);
  }
  held.reset();
  EXPECT_EQ(Content(), "old content\r\n");
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"Keyquill2.dat"});
  EXPECT_EQ(list.Strings(0), u"two\r\nlines\ttl");
}

}  // namespace
}  // namespace kq::testing
