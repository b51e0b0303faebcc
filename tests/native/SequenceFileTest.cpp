// The sequence file: its format, the checks of a loaded file, saving, the default tables,
// start-up and the upgrade from version 1.
#include <gtest/gtest.h>

#include "SequenceListFixture.h"
#include "sequences/DefaultTables.h"
#include "sequences/SeqFile.h"

namespace kq::testing {
namespace {

constexpr char16_t kFile[] = u"C:\\data\\list.dat";
constexpr char16_t kAddress[] = u"My name\r\nMy address\r\nMy city\r\nMy postcode\r\nMy country";

// A file's bytes and the entries they load as.
struct FileCase {
  const char* name;
  std::string bytes;
  std::vector<std::u16string> entries;
};

class SequenceFileTest : public SequenceListTest {
 protected:
  // Saves the list to kFile and loads it into a second list.
  std::vector<std::u16string> RoundTrip() {
    list.SaveList(kFile);
    TCharList loaded(services);
    loaded.LoadFromFile(kFile);
    return loaded.Entries();
  }
};

TEST_F(SequenceFileTest, SavedFileHasMarkCrLfAndCodedLineBreaks) {
  Fill({u"\u00e9\t'e", u"a\r\nb\r\nc\tab", u"\u20ac\t=e"});
  list.SaveList(kFile);
  EXPECT_EQ(files.files[kFile],
            "\xEF\xBB\xBF\xC3\xA9\t'e\r\na<CRLF>b<CRLF>c\tab\r\n\xE2\x82\xAC\t=e\r\n");
  EXPECT_EQ(list.Strings(1), u"a\r\nb\r\nc\tab");  // memory keeps its line breaks
}

TEST_F(SequenceFileTest, ReadingSplitsAtEveryKindOfLineEnd) {
  const FileCase cases[] = {
      {"WithMark", "\xEF\xBB\xBF\xC3\xA9\t'e\r\nx\tyz\r\n", {u"\u00e9\t'e", u"x\tyz"}},
      {"WithoutMark", "\xC3\xA9\t'e\r\nx\tyz\r\n", {u"\u00e9\t'e", u"x\tyz"}},
      {"LoneCR", "a\tbb\rc\tdd\r", {u"a\tbb", u"c\tdd"}},
      {"LoneLF", "a\tbb\nc\tdd\n", {u"a\tbb", u"c\tdd"}},
      {"NoEndOnLastLine", "a\tbb\r\nc\tdd", {u"a\tbb", u"c\tdd"}},
      {"CodedText", "My<CRLF>text<crlf>\tad\r\n", {u"My\r\ntext<crlf>\tad"}},
      {"Empty", "", {}},
  };
  for (const auto& c : cases) {
    files.files[kFile] = c.bytes;
    list.LoadFromFile(kFile);
    EXPECT_EQ(list.Entries(), c.entries) << c.name;
  }
  EXPECT_TRUE(errors.shown.empty());
}

// Lines whose bytes once changed between a load, a save and the next load.
TEST_F(SequenceFileTest, ListsReadTheSameAfterASave) {
  const FileCase cases[] = {
      {"LeadAboveU10FFFF",
       "\xEF\xBB\xBF\xF4\x90\x80\x80\x09\x61\x62\x0D\x0A",
       {u"\uFFFD\uFFFD\uFFFD\uFFFD\tab"}},
      {"EncodedHighSurrogate", "\xED\xA0\x80\x09\x61\x62", {u"\uFFFD\uFFFD\uFFFD\tab"}},
      {"NoncharactersAsTheSequence",
       "\xEF\xBB\xBF\x61\x62\x09\xEF\xB7\x90\xEF\xB7\x91\x0D\x0A",
       {u"ab\t\uFDD0\uFDD1"}},
      {"NoncharactersInResultAndSequence",
       "x\xEF\xB7\x90y\xEF\xB7\x91\t\xEF\xB7\x91\xEF\xB7\x90\r\n",
       {u"x\ry\n\t\uFDD1\uFDD0"}},
      {"CodedFormBeforeASurrogatePair", "<CRLF>\t\xF0\x9F\x98\x80\r\n", {u"\r\n\t\U0001F600"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list.SeqFileName = kFile;
    files.files[kFile] = c.bytes;
    list.LoadFromFile(kFile);
    EXPECT_EQ(list.Entries(), c.entries);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ(RoundTrip(), c.entries);
    EXPECT_TRUE(errors.shown.empty());
  }
}

TEST_F(SequenceFileTest, AnsiEncodingAppliesOnlyWithoutMark) {
  files.files[kFile] = "\xE9\t'e\r\n";
  list.LoadFromFile(kFile, TTextEncoding::Ansi);
  EXPECT_EQ(list.Strings(0), u"\u00e9\t'e");
  files.files[kFile] = "\xEF\xBB\xBF\xC3\xA9\t'e\r\n";
  list.LoadFromFile(kFile, TTextEncoding::Ansi);
  EXPECT_EQ(list.Strings(0), u"\u00e9\t'e");
}

TEST_F(SequenceFileTest, TextsSurviveSaveAndLoad) {
  const std::vector<std::u16string> texts = {
      kAddress + std::u16string(u"\tad"),
      u"tab\tin\ttext\tti",
      u"lone\rCR\tcr",
      u"lone\nLF\tlf",
      u"\r\r\n\n\r\tmx",  // CR CR LF LF CR
      u"\n\r\tlc",
  };
  list.Clear();
  for (const auto& text : texts)
    list.Add(text);
  EXPECT_EQ(RoundTrip(), texts);
  // One line each in the file.
  std::string bytes = files.files[kFile];
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(texts.size()));
  EXPECT_NE(bytes.find("My name<CRLF>My address<CRLF>My city<CRLF>My postcode<CRLF>My "
                       "country\tad\r\n"),
            std::string::npos);
}

TEST_F(SequenceFileTest, FilesOfThePlainFormReadAsTheyWere) {
  // Nothing but "<CRLF>" is decoded: other markup-like text and short lines stay.
  files.files[kFile] = FileOf({u"Press <CR> or <LF>\tpr", u"\\r\\n\tbs", u"<CR\tsh"});
  list.LoadFromFile(kFile);
  EXPECT_EQ(list.Entries(),
            (std::vector<std::u16string>{u"Press <CR> or <LF>\tpr", u"\\r\\n\tbs", u"<CR\tsh"}));
  // A single-character line is never altered, whatever its character.
  files.files[kFile] = FileOf({std::u16string(1, kLoneCRMark) + u"\tnc"});
  list.LoadFromFile(kFile);
  EXPECT_EQ(list.Strings(0), std::u16string(1, kLoneCRMark) + u"\tnc");
}

TEST_F(SequenceFileTest, CodedFormInATextBecomesALineBreakAtTheNextSave) {
  Fill({u"a<CRLF>b\tab"});
  EXPECT_EQ(RoundTrip(), (std::vector<std::u16string>{u"a\r\nb\tab"}));
  EXPECT_EQ(list.Strings(0), u"a\r\nb\tab");
}

TEST_F(SequenceFileTest, SaveWithoutAnyNameWritesNothing) {
  Fill({u"a\tbc"});
  list.SaveList();
  EXPECT_TRUE(files.files.empty());
  list.SeqFileName = kFile;
  list.SaveList();
  EXPECT_TRUE(files.files.contains(kFile));
}

TEST_F(SequenceFileTest, InterruptedSaveKeepsTheOldFileWhole) {
  const std::string old = FileOf({u"\u00e9\t'e", u"old\r\ntext\tot"});
  files.files[kFile] = old;
  list.SeqFileName = kFile;
  Fill({u"\u00e8\t`e", u"new\r\ntext\tnt", u"x\tyz"});
  files.failAfterBytes = 12;  // within the text entry
  try {
    list.SaveList();
    ADD_FAILURE() << "the failed write must reach the caller";
  } catch (const FileError& error) {
    EXPECT_NE(error.Message().find(kFile), std::u16string::npos) << error.what();
    EXPECT_EQ(error.Code(), 112u);
  }
  EXPECT_EQ(files.abandoned.size(), 12u);  // the write did start
  EXPECT_EQ(files.files[kFile], old);
  EXPECT_EQ(files.files.size(), 1u);  // no temporary file left
  EXPECT_EQ(list.Strings(1), u"new\r\ntext\tnt");
  files.failAfterBytes.reset();
  list.SaveList();
  EXPECT_EQ(files.files[kFile], FileOf({u"\u00e8\t`e", u"new<CRLF>text\tnt", u"x\tyz"}));
}

TEST_F(SequenceFileTest, MissingFileRaisesAndKeepsTheList) {
  Fill({u"a\tbc"});
  EXPECT_THROW(list.LoadFromFile(u"C:\\nowhere.dat"), FileError);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(SequenceFileTest, CheckRemovesMalformedLinesAndRewritesTheFile) {
  struct Case {
    const char* name;
    std::u16string bad;
  };
  const Case cases[] = {
      {"Blank", u""},
      {"OneSequenceCharacter", u"\u00e9\te"},
      {"NoTab", u"\u00e9xyz"},
      {"ThreeAfterTab", u"\u00e9\txyz"},
      {"NothingBeforeTab", u"\txy"},
      {"NoSequenceAfterLastTab", u"a\tb\t"},
      {"OneAfterLastTab", u"abc\t\tx"},
  };
  for (const auto& c : cases) {
    errors.shown.clear();
    list.SeqFileName = kFile;
    files.files[kFile] = FileOf({u"\u00e9\t'e", c.bad, u"My<CRLF>text\tad"});
    list.LoadFromFile(kFile);
    EXPECT_EQ(list.Entries(), (std::vector<std::u16string>{u"\u00e9\t'e", u"My\r\ntext\tad"}))
        << c.name;
    EXPECT_EQ(
        errors.shown,
        (std::vector<std::u16string>{
            u"Errors were found in loaded sequence list (1 errors). These have been removed."}))
        << c.name;
    EXPECT_EQ(files.files[kFile], FileOf({u"\u00e9\t'e", u"My<CRLF>text\tad"})) << c.name;
    EXPECT_TRUE(list.SeqPresent(u'\u00e9')) << c.name;
  }
}

TEST_F(SequenceFileTest, FileOfOnlyMalformedLinesGivesTheDefaultsUnsaved) {
  list.SeqFileName = kFile;
  const std::string bad = FileOf({u"", u"x", u"\u00e9\te"});
  files.files[kFile] = bad;
  list.LoadFromFile(kFile);
  EXPECT_EQ(errors.shown, (std::vector<std::u16string>{u"Errors were found in loaded sequence "
                                                       u"list (3 errors). The list has been "
                                                       u"reset to defaults."}));
  EXPECT_EQ(list.Count(), 358);
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));
  EXPECT_EQ(files.files[kFile], bad);
  EXPECT_EQ(files.replaces, 0);
}

TEST_F(SequenceFileTest, ImportIntoAListWithoutFileNameWritesNothing) {
  files.files[kFile] = FileOf({u"a\tbc", u"", u"d\tef"});
  list.LoadFromFile(kFile);
  EXPECT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(files.replaces, 0);
}

TEST(DefaultTables, CountsOrderAndTellingEntries) {
  auto defaults = DefaultSequences();
  auto ver1 = Ver1DefaultSequences();
  ASSERT_EQ(defaults.size(), 358u);
  ASSERT_EQ(ver1.size(), 119u);
  EXPECT_EQ(std::u16string(defaults[0].result), kAddress);
  EXPECT_STREQ(defaults[0].sequence, "ad");
  struct Case {
    size_t position;  // 1-based, as the table is read
    const char16_t* result;
    const char* sequence;
  };
  const Case current[] = {
      {2, u"\u2264", "<="},   {9, u"\u00ad", "--"},   {13, u"\u00a8", "\"\""},
      {19, u"\u2019", "''"},  {20, u"\u2019", "cs"},  {73, u"\u00e0", "`a"},
      {122, u"\u00e9", "'e"}, {123, u"\u00c9", "'E"}, {217, u"\u01a1", "o'"},
      {325, u"\u03b8", "tH"}, {326, u"\u0398", "Th"}, {358, u"\u03a9", "gW"},
  };
  for (const auto& c : current) {
    EXPECT_EQ(std::u16string(defaults[c.position - 1].result), c.result) << c.position;
    EXPECT_STREQ(defaults[c.position - 1].sequence, c.sequence) << c.position;
  }
  const Case old[] = {
      {1, u"\u20ac", "=e"},  {2, u"\u201a", "'_"},  {25, u"\u00a2", "c|"},
      {26, u"\u00a2", "c/"}, {97, u"\u00e9", "'e"}, {119, u"\u00ff", "\"y"},
  };
  for (const auto& c : old) {
    EXPECT_EQ(std::u16string(ver1[c.position - 1].result), c.result) << c.position;
    EXPECT_STREQ(ver1[c.position - 1].sequence, c.sequence) << c.position;
  }
  for (auto table : {defaults.subspan(1), ver1}) {
    for (const auto& row : table) {
      EXPECT_EQ(std::u16string(row.result).size(), 1u) << row.sequence;
      EXPECT_EQ(std::string(row.sequence).size(), 2u) << row.sequence;
    }
  }
}

TEST_F(SequenceListTest, DefaultsHaveNoDuplicateSequences) {
  for (auto load : {&TCharList::LoadDefaults, &TCharList::LoadVer1Defaults}) {
    (list.*load)();
    EXPECT_TRUE(list.DeleteDuplicates());
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

TEST_F(SequenceListTest, ResetDefaultsRecomputesTheFlagsWithoutSaving) {
  list.SeqFileName = kFile;
  Fill({u"\u0416\tzh"});
  list.ResetDefaults();
  EXPECT_EQ(list.Count(), 358);
  EXPECT_EQ(list.Strings(0), kAddress + std::u16string(u"\tad"));
  EXPECT_FALSE(list.SeqPresent(u'\u0416'));
  EXPECT_TRUE(list.SeqPresent(u'\u03a9'));
  EXPECT_TRUE(files.files.empty());
}

// Start-up, with the program's folders.
constexpr char16_t kAppData[] = u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill";
constexpr char16_t kExeFolder[] = u"C:\\Program Files\\Keyquill\\";
constexpr char16_t kSeqFile[] =
    u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\\Keyquill2.dat";
constexpr char16_t kOldFile[] = u"C:\\Program Files\\Keyquill\\Keyquill2.dat";
constexpr char16_t kVer1Copy[] =
    u"C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\\KeyquillVer1Sequences.dat";

class InitListTest : public SequenceListTest {
 protected:
  void Init() { list.InitList(store, kAppData, kExeFolder); }
  void NotFirstRun() { store.WriteBool(u"", u"FirstRun2", false); }
  std::vector<std::u16string> Saved(const std::u16string& path) {
    TCharList saved(services);
    saved.LoadFromFile(path);
    return saved.Entries();
  }
  static std::vector<std::u16string> TableEntries(std::span<const DefaultSequence> table) {
    std::vector<std::u16string> entries;
    for (const auto& row : table)
      entries.push_back(row.result + (u'\t' + FromUtf8(row.sequence)));
    return entries;
  }
  // The version-1 registry value for these entries: 5-character records.
  static std::u16string Records(const std::vector<std::u16string>& entries) {
    std::u16string value;
    for (const auto& entry : entries)
      value += entry + u'|';
    value.pop_back();  // the last record may lack its separator
    return value;
  }
};

TEST_F(InitListTest, FirstStartWritesTheDefaultsQuietly) {
  Init();
  EXPECT_TRUE(errors.reported.empty());
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(list.SeqFileName, kSeqFile);
  ASSERT_TRUE(files.files.contains(kSeqFile));
  EXPECT_EQ(files.files[kSeqFile].substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(Saved(kSeqFile), TableEntries(DefaultSequences()));  // table order, text first
  EXPECT_EQ(files.files.size(), 1u);                             // nothing to migrate
  // In memory: sorted by entry, texts first, flags current.
  ASSERT_EQ(list.Count(), 358);
  EXPECT_EQ(list.Strings(0), kAddress + std::u16string(u"\tad"));
  for (int i = 2; i < list.Count(); ++i)
    EXPECT_LE(list.Strings(i - 1), list.Strings(i)) << i;
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));
  EXPECT_EQ(list.TranslateSeq("'e"), u"\u00e9");
}

TEST_F(InitListTest, MissingFileIsReportedAndRecreated) {
  NotFirstRun();
  Init();
  EXPECT_EQ(
      errors.reported,
      (std::vector<std::u16string>{
          u"Sequence list has disappeared. Recreating default list.\r\n\r\n(File should "
          u"have been at C:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\\Keyquill2.dat)"}));
  EXPECT_EQ(Saved(kSeqFile).size(), 358u);
}

TEST_F(InitListTest, ExistingFileIsLoadedSortedAndLeftInItsOrder) {
  const std::string file = FileOf({u"z\tzz", u"\u00e9\t'e", u"My<CRLF>text\tmt", u"a\tzz"});
  files.files[kSeqFile] = file;
  dialogs.answers = {kFirstCustomResult + 1};  // keep z, delete a
  Init();
  EXPECT_EQ(list.Entries(),
            (std::vector<std::u16string>{u"My\r\ntext\tmt", u"z\tzz", u"\u00e9\t'e"}));
  EXPECT_TRUE(list.SeqPresent(u'z'));
  EXPECT_FALSE(list.SeqPresent(u'a'));
  // The deletion saved the list in its loaded order; the sort is not saved.
  EXPECT_EQ(files.files[kSeqFile], FileOf({u"z\tzz", u"\u00e9\t'e", u"My<CRLF>text\tmt"}));
}

TEST_F(InitListTest, Ver1DefaultsInTheRegistryAreKeptWithoutAMessage) {
  const auto ver1 = TableEntries(Ver1DefaultSequences());
  store.WriteString(u"", u"ComposeSeqs", Records(ver1));
  Init();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Saved(kVer1Copy), ver1);
  EXPECT_EQ(list.SeqFileName, kSeqFile);
  EXPECT_EQ(list.Count(), 358);  // the active list is this version's defaults
  EXPECT_EQ(Saved(kSeqFile).size(), 358u);
}

TEST_F(InitListTest, CustomisedVer1SequencesAreKeptAndTheUserTold) {
  struct Case {
    const char* name;
    std::vector<std::u16string> entries;
  };
  auto reordered = TableEntries(Ver1DefaultSequences());
  std::swap(reordered[0], reordered[1]);
  auto changed = TableEntries(Ver1DefaultSequences());
  changed[50] = u"\u00e9\tee";
  auto shorter = TableEntries(Ver1DefaultSequences());
  shorter.pop_back();
  const Case cases[] = {{"Reordered", reordered}, {"Changed", changed}, {"Shorter", shorter}};
  for (const auto& c : cases) {
    files.files.clear();
    dialogs.shown.clear();
    store.WriteString(u"", u"ComposeSeqs", Records(c.entries));
    Init();
    EXPECT_EQ(Saved(kVer1Copy), c.entries) << c.name;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.name;
    EXPECT_EQ(dialogs.shown[0].buttons, mbOK);
    EXPECT_EQ(
        dialogs.shown[0].msg,
        u"Thank you for upgrading from Keyquill version 1. This new version has compose "
        u"sequences for many more accented characters than the old one. \r\n\r\nHowever, you "
        u"seem to have customized the sequences in the old version. Your old sequences have "
        u"been saved to the file KeyquillVer1Sequences.dat, which can be found in the "
        u"folder:\r\n\r\nC:\\Users\\u\\AppData\\Roaming\\Brenhollow\\Keyquill\r\n\r\nIf you "
        u"wish to revert to the old sequences you can load them with the Import button on the "
        u"Customize Compose Sequences dialog box.")
        << c.name;
    EXPECT_EQ(list.Count(), 358) << c.name;
  }
}

// Records that are not entries, or that the file cannot hold, are not saved: the user is told
// of them as of a loaded file's errors, and of a saved copy only when one was saved.
TEST_F(InitListTest, Ver1RecordsAreCheckedBeforeTheyAreSaved) {
  struct Case {
    const char* name;
    std::u16string value;
    std::vector<std::u16string> kept;
    const char16_t* error;
  };
  const Case cases[] = {
      {"TooShort",
       u"ab",
       {},
       u"Errors were found in loaded sequence list (1 errors). The list has been reset to "
       u"defaults."},
      {"TrailingPartialRecord",
       u"\u00e9\t'e|z",
       {u"\u00e9\t'e"},
       u"Errors were found in loaded sequence list (1 errors). These have been removed."},
      {"LineBreakAsResult",
       u"\r\tab",
       {},
       u"Errors were found in loaded sequence list (1 errors). The list has been reset to "
       u"defaults."},
      {"LineBreakInSequence",
       u"\u00e9\t'e|x\t\na|y\ta\r",
       {u"\u00e9\t'e"},
       u"Errors were found in loaded sequence list (2 errors). These have been removed."},
      {"LoneSurrogate",
       u"\xD800\tab|\u00e8\t`e",
       {u"\u00e8\t`e"},
       u"Errors were found in loaded sequence list (1 errors). These have been removed."},
      {"SurrogatePairAsSequence",
       u"\u20ac\t\U0001F600|z",
       {u"\u20ac\t\U0001F600"},
       u"Errors were found in loaded sequence list (1 errors). These have been removed."},
      {"TabInSequence",
       u"a\tb\t|\u00e8\t`e",
       {u"\u00e8\t`e"},
       u"Errors were found in loaded sequence list (1 errors). These have been removed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.files.clear();
    dialogs.shown.clear();
    errors.shown.clear();
    store.WriteString(u"", u"ComposeSeqs", c.value);
    Init();
    EXPECT_EQ(errors.shown.at(0), c.error);
    EXPECT_EQ(list.Count(), 358);
    if (c.kept.empty()) {
      EXPECT_FALSE(files.files.contains(kVer1Copy));
      EXPECT_TRUE(dialogs.shown.empty());
    } else {
      EXPECT_EQ(Saved(kVer1Copy), c.kept);  // and Import reads it without a message
      EXPECT_EQ(errors.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown.size(), 1u);
    }
  }
}

TEST_F(InitListTest, EmptyVer1FileKeepsNothing) {
  files.files[kOldFile] = "";
  Init();
  EXPECT_FALSE(files.files.contains(kVer1Copy));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(Saved(kSeqFile).size(), 358u);
}

TEST_F(InitListTest, Ver1FileBesideTheProgramIsCheckedAndKept) {
  files.files[kOldFile] = FileOf({u"\u00e9\t'e", u"", u"\u00e8\t`e"});
  Init();
  // The check repaired the old file, then the copy was saved and the user told.
  EXPECT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(files.files[kOldFile], FileOf({u"\u00e9\t'e", u"\u00e8\t`e"}));
  EXPECT_EQ(Saved(kVer1Copy), (std::vector<std::u16string>{u"\u00e9\t'e", u"\u00e8\t`e"}));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(list.SeqFileName, kSeqFile);
  EXPECT_EQ(list.Count(), 358);
}

TEST_F(InitListTest, FailedMigrationIsReportedAndTheDefaultsStillWritten) {
  // The program folder refuses the repaired old file.
  files.files[kOldFile] = FileOf({u"\u00e9\t'e", u""});
  struct RefusingProgramFolder : MemoryFileSystem {
    void ReplaceContent(const std::u16string& path, std::string_view bytes) override {
      if (path == kOldFile)
        throw FileError(u"Cannot save " + path + u": Access is denied.", 5);
      MemoryFileSystem::ReplaceContent(path, bytes);
    }
  } refusing;
  refusing.files = files.files;
  TCharList started({shared, codePage, collator, refusing, dialogs, errors});
  started.InitList(store, kAppData, kExeFolder);
  EXPECT_EQ(errors.reported,
            (std::vector<std::u16string>{
                u"Cannot save C:\\Program Files\\Keyquill\\Keyquill2.dat: Access is denied."}));
  EXPECT_EQ(started.SeqFileName, kSeqFile);
  EXPECT_TRUE(refusing.files.contains(kSeqFile));
  EXPECT_EQ(started.Count(), 358);
}

TEST_F(InitListTest, ImportRestoresTheFileNameWhenItFails) {
  store.WriteString(u"", u"ComposeSeqs", u"\u00e9\t'e");
  files.failAfterBytes = 0;
  EXPECT_THROW(list.ImportVer1Sequences(store, kAppData, kExeFolder), FileError);
  EXPECT_EQ(list.SeqFileName, kSeqFile);
}

}  // namespace
}  // namespace kq::testing
