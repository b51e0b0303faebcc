// The sequence list: entries, lookup, presence flags, duplicates and the two sort orders.
#include <gtest/gtest.h>

#include <deque>

#include "SequenceListFixture.h"

namespace kq::testing {
namespace {

TEST_F(SequenceListTest, EntryPartsSplitAtTheLastTab) {
  struct Case {
    std::u16string entry;
    std::u16string result;
    TSeqType seq;
  };
  const Case cases[] = {
      {u"\u00e9\t'e", u"\u00e9", "'e"},
      {u"a\tb\tcd", u"a\tb", "cd"},         // a text holding a TAB
      {u"x\tabc", u"x", "ab"},              // only two sequence characters count
      {u"\u00e9\t", u"\u00e9", ""},         // waiting for its sequence
      {u"\u00e9\te", u"\u00e9", "e"},       // one sequence character
      {u"abc", u"", "ab"},                  // no TAB at all
      {u"x\t\u03b1\u20ac", u"x", "?\x80"},  // through the ANSI code page
  };
  for (const auto& c : cases) {
    Fill({c.entry});
    EXPECT_EQ(list.GetExChar(0), c.result) << ToUtf8(c.entry);
    EXPECT_EQ(list.GetSeq(0), c.seq) << ToUtf8(c.entry);
  }
}

TEST_F(SequenceListTest, SettersKeepTheOtherPart) {
  Fill({u"\u00e9\t\u03b1e", u"My\r\ntext\tad"});
  list.SetExChar(0, u"\u00e8");
  EXPECT_EQ(list.Strings(0), u"\u00e8\t?e");  // the sequence went through the code page
  list.SetSeq(1, "\x80x");
  EXPECT_EQ(list.Strings(1), u"My\r\ntext\t\u20acx");
}

TEST_F(SequenceListTest, AddSeqFlagsOnlySingleCharacters) {
  list.AddSeq(u"\u00e9", "");
  list.AddSeq(u"\u00c9t\u00e9", "et");
  EXPECT_EQ(list.Strings(0), u"\u00e9\t");
  EXPECT_EQ(list.Strings(1), u"\u00c9t\u00e9\tet");
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));
  EXPECT_FALSE(list.SeqPresent(u'\u00c9'));
}

TEST_F(SequenceListTest, TranslateSeqOnTheDefaults) {
  list.LoadDefaults();
  struct Case {
    bool reverse;
    TSeqType typed;
    std::u16string result;
  };
  const Case cases[] = {
      {false, "'e", u"\u00e9"},
      {false, "'E", u"\u00c9"},  // case-sensitive
      {false, "e'", u""},
      {false, "zq", u""},
      {false, "'", u""},
      {true, "e'", u"\u00e9"},
      {true, "'e", u""},  // only the crossed comparison is made
      {true, "da", u"My name\r\nMy address\r\nMy city\r\nMy postcode\r\nMy country"},
      {false, "ad", u"My name\r\nMy address\r\nMy city\r\nMy postcode\r\nMy country"},
  };
  for (const auto& c : cases) {
    SetReverseOrder(c.reverse);  // read from the settings at each lookup
    EXPECT_EQ(list.TranslateSeq(c.typed), c.result) << c.reverse << " " << c.typed;
  }
}

// The setting is read from the registry; read once per entry it made every composed pair
// cost hundreds of registry reads.
class CountedReverseOrder : public TNewSharedData {
 public:
  using TNewSharedData::TNewSharedData;
  bool ReverseOrder() const override {
    ++reads;
    return TNewSharedData::ReverseOrder();
  }
  mutable int reads = 0;
};

TEST_F(SequenceListTest, TranslateSeqReadsReverseOrderOncePerLookup) {
  CountedReverseOrder counted(registry, {}, kTestExePath, errors);
  TCharListServices countedServices{counted, codePage, collator, files, dialogs, errors};
  TCharList defaults{countedServices};
  defaults.LoadDefaults();
  ASSERT_GT(defaults.Count(), 300);
  counted.reads = 0;
  EXPECT_EQ(defaults.TranslateSeq("'e"), u"\u00e9");
  EXPECT_EQ(counted.reads, 1);
  counted.SetReverseOrder(true);  // counts from the next lookup on
  EXPECT_EQ(defaults.TranslateSeq("e'"), u"\u00e9");
  EXPECT_EQ(counted.reads, 2);
}

TEST_F(SequenceListTest, TranslateSeqLastMatchWins) {
  EXPECT_EQ(list.TranslateSeq("'e"), u"");  // empty list
  Fill({u"\u00e9\t'e", u"a\tb\t'e", u"x\tyz"});
  EXPECT_EQ(list.TranslateSeq("'e"), u"a\tb");
  EXPECT_EQ(list.CheckForDuplicate("'e", -1), 1);
  EXPECT_EQ(list.CheckForDuplicate("'e", 1), 0);
  EXPECT_EQ(list.CheckForDuplicate("'E", -1), -1);
  SetReverseOrder(true);
  EXPECT_EQ(list.CheckForDuplicate("'e", -1), 1);  // reverse order plays no part
}

TEST_F(SequenceListTest, FindExCharComparesWholeResults) {
  list.LoadDefaults();
  EXPECT_EQ(list.FindExChar(u"\u2019"), 18);  // the first of the two entries
  EXPECT_EQ(list.GetSeq(19), "cs");
  EXPECT_EQ(list.FindExChar(u"My name"), -1);
  EXPECT_EQ(list.FindExChar(u"\u00c9"), 122);
  EXPECT_EQ(list.FindExChar(u"\u00e9\u00e9"), -1);
}

TEST_F(SequenceListTest, PresenceFlagsFollowSingleCharacterEntries) {
  list.LoadDefaults();
  list.SetSeqPresents();
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));
  EXPECT_TRUE(list.SeqPresent(u'\u00ad'));
  EXPECT_FALSE(list.SeqPresent(u'M'));  // the text entry's first character
  EXPECT_FALSE(list.SeqPresent(u'\u0416'));
  list.Clear();
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));  // until recomputed
  list.SetSeqPresents();
  EXPECT_FALSE(list.SeqPresent(u'\u00e9'));
}

TEST_F(SequenceListTest, DeleteClearsTheFirstCharactersFlagUntilRecomputed) {
  Fill({u"\u00e9t\u00e9\tet", u"\u00e9\t'e", u"\u2019\t''", u"\u2019\tcs", u"\u00e8\t`e"});
  list.Delete(0);  // a text beginning with é, although the single é entry remains
  EXPECT_FALSE(list.SeqPresent(u'\u00e9'));
  list.SetSeqPresents();
  EXPECT_TRUE(list.SeqPresent(u'\u00e9'));
  list.Delete(1);  // one of the two ’ entries
  EXPECT_FALSE(list.SeqPresent(u'\u2019'));
  EXPECT_TRUE(list.SeqPresent(u'\u00e8'));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strings(0), u"\u00e9\t'e");
  EXPECT_EQ(list.Strings(1), u"\u2019\tcs");
  EXPECT_EQ(list.Strings(2), u"\u00e8\t`e");
}

TEST_F(SequenceListTest, AssignCopiesEntriesAndFlagsButNotTheFileName) {
  Fill({u"\u00e9\t'e", u"ab\tcd"});
  list.SeqFileName = u"C:\\a.dat";
  TCharList copy(list.Services());
  copy.SeqFileName = u"C:\\b.dat";
  copy.Assign(list);
  EXPECT_EQ(copy.Entries(), list.Entries());
  EXPECT_TRUE(copy.SeqPresent(u'\u00e9'));
  EXPECT_EQ(copy.SeqFileName, u"C:\\b.dat");
  copy.SetStrings(0, u"x\tyz");  // a copy, not a view
  EXPECT_EQ(list.Strings(0), u"\u00e9\t'e");
}

class DeleteDuplicatesTest : public SequenceListTest {
 protected:
  void SetUp() override {
    list.SeqFileName = u"C:\\data\\Keyquill2.dat";
    Fill({u"\u00e9\t'e", u"x\tyz", u"\u00e8\t'e", u"q\tqq"});
  }
};

TEST_F(DeleteDuplicatesTest, WithoutDuplicatesAsksAndSavesNothing) {
  Fill({u"\u00e9\t'e", u"\u00c9\t'E", u"x\tyz"});
  EXPECT_TRUE(list.DeleteDuplicates());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(files.replaces, 0);
  EXPECT_EQ(list.Count(), 3);
}

TEST_F(DeleteDuplicatesTest, AsksWithTheBothEntriesAndTheThreeButtons) {
  dialogs.answers = {kFirstCustomResult};
  list.DeleteDuplicates();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].msg,
            u"Duplicate sequences found\r\n\r\nDuplicates: \"'e\" for \"\u00e9\" and \"'e\" for "
            u"\"\u00e8\". One must be deleted. \r\n\r\nDelete the first or second sequence?.");
  EXPECT_EQ(dialogs.shown[0].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(dialogs.shown[0].customButtons,
            (std::vector<std::u16string>{u"First", u"Second", u"Cancel"}));
}

TEST_F(DeleteDuplicatesTest, AnswersDecideWhatIsDeletedAndSaved) {
  struct Case {
    const char* name;
    int answer;
    bool result;
    std::vector<std::u16string> left;
    int saves;
  };
  const Case cases[] = {
      {"First", kFirstCustomResult, true, {u"x\tyz", u"\u00e8\t'e", u"q\tqq"}, 1},
      {"Second", kFirstCustomResult + 1, true, {u"\u00e9\t'e", u"x\tyz", u"q\tqq"}, 1},
      {"Closed", mrNone, true, {u"\u00e9\t'e", u"x\tyz", u"q\tqq"}, 1},
      {"Cancel",
       kFirstCustomResult + 2,
       false,
       {u"\u00e9\t'e", u"x\tyz", u"\u00e8\t'e", u"q\tqq"},
       0},
  };
  for (const auto& c : cases) {
    SetUp();
    files.replaces = 0;
    dialogs.answers = {c.answer};
    EXPECT_EQ(list.DeleteDuplicates(), c.result) << c.name;
    EXPECT_EQ(list.Entries(), c.left) << c.name;
    EXPECT_EQ(files.replaces, c.saves) << c.name;
  }
}

TEST_F(DeleteDuplicatesTest, NoDuplicateSurvives) {
  struct Case {
    const char* name;
    std::vector<std::u16string> entries;
    std::deque<int> answers;
    std::vector<std::u16string> left;
  };
  const int first = kFirstCustomResult, second = kFirstCustomResult + 1;
  const Case cases[] = {
      // a against the last, c; then the b that moved into a's place against c.
      {"ThreeFirst", {u"a\tzz", u"b\tzz", u"c\tzz"}, {first, second}, {u"b\tzz"}},
      // a keeps its place and still has b.
      {"ThreeSecond", {u"a\tzz", u"b\tzz", u"c\tzz"}, {second, second}, {u"a\tzz"}},
      // q moves into e's place right after e goes, and still has p before it.
      {"Interleaved",
       {u"p\tzz", u"e\tyy", u"q\tzz", u"f\tyy", u"r\tzz"},
       {second, first, first},
       {u"q\tzz", u"f\tyy"}},
  };
  for (const auto& c : cases) {
    list.Clear();
    for (const auto& entry : c.entries)
      list.Add(entry);
    dialogs.shown.clear();
    dialogs.answers = c.answers;
    EXPECT_TRUE(list.DeleteDuplicates()) << c.name;
    EXPECT_EQ(dialogs.shown.size(), c.answers.size()) << c.name;
    EXPECT_EQ(list.Entries(), c.left) << c.name;
  }
}

std::vector<std::u16string> Seqs(const TCharList& list) {
  std::vector<std::u16string> seqs;
  for (const auto& entry : list.Entries())
    seqs.push_back(entry.substr(entry.rfind(u'\t') + 1));
  return seqs;
}

TEST_F(SequenceListTest, SortBySequencePutsApostropheThenHyphenKeysFirst) {
  Fill({u"a\tab", u"b\t-a", u"c\t!!", u"d\t'e", u"e\tAb", u"f\t'a", u"g\t"});
  list.SeqSort(0, false);
  // Without the prefixes the code-unit order would put "!!" before "'a" and "-a".
  EXPECT_EQ(Seqs(list),
            (std::vector<std::u16string>{u"", u"'a", u"'e", u"-a", u"!!", u"Ab", u"ab"}));
  list.SeqSort(0, true);
  EXPECT_EQ(Seqs(list),
            (std::vector<std::u16string>{u"ab", u"Ab", u"!!", u"-a", u"'e", u"'a", u""}));
}

TEST_F(SequenceListTest, SortBySequenceFollowsTheShownOrderInReverse) {
  Fill({u"a\tx-", u"b\te'", u"c\tba", u"d\tab", u"e\tz"});
  SetReverseOrder(true);
  list.SeqSort(0, false);
  // Shown as "-x", "'e", "ab", "ba", "z".
  EXPECT_EQ(Seqs(list), (std::vector<std::u16string>{u"e'", u"x-", u"ba", u"ab", u"z"}));
}

TEST_F(SequenceListTest, SortByEntry) {
  const std::u16string text1 = u"Zebra\r\nline\tzz";
  const std::u16string text2 = u"Apple pie\tap";
  struct Case {
    const char* name;
    bool together;
    bool descending;
    std::vector<std::u16string> expected;
  };
  const Case cases[] = {
      {"TextsFirst", true, false, {text2, text1, u"A\tzz", u"a\tbb", u"a\tcc", u"b\taa"}},
      {"TextsLast", true, true, {u"b\taa", u"a\tcc", u"a\tbb", u"A\tzz", text1, text2}},
      {"Mixed", false, false, {u"A\tzz", text2, text1, u"a\tbb", u"a\tcc", u"b\taa"}},
      {"MixedDown", false, true, {u"b\taa", u"a\tcc", u"a\tbb", text1, text2, u"A\tzz"}},
  };
  for (const auto& c : cases) {
    Fill({u"b\taa", text1, u"a\tcc", u"A\tzz", text2, u"a\tbb"});
    shared.SortTextTogether = c.together;
    list.SeqSort(1, c.descending);
    EXPECT_EQ(list.Entries(), c.expected) << c.name;
  }
}

TEST_F(SequenceListTest, SortOfAnotherColumnChangesNothing) {
  Fill({u"b\taa", u"a\tbb"});
  list.SeqSort(2, false);
  list.SeqSort(-1, true);
  EXPECT_EQ(list.Entries(), (std::vector<std::u16string>{u"b\taa", u"a\tbb"}));
}

}  // namespace
}  // namespace kq::testing
