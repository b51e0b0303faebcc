#include "sequences/CharLst.h"

#include <algorithm>
#include <numeric>

#include "common/Errors.h"
#include "common/Text.h"
#include "sequences/DefaultTables.h"
#include "sequences/SequenceTexts.h"

namespace kq {

namespace {

constexpr char16_t kNoSection[] = u"";

// The up to two sequence characters of an entry: after its last TAB, or its first two when
// it has none.
std::u16string_view RawSeq(std::u16string_view entry) {
  size_t tab = entry.rfind(kSeqSeparator);
  std::u16string_view seq = tab == std::u16string_view::npos ? entry : entry.substr(tab + 1);
  return seq.substr(0, 2);
}

bool IsTextEntry(const std::u16string& entry) {
  return entry.size() > 4;
}

std::u16string InFolder(const std::u16string& folder, const char16_t* name) {
  if (folder.empty() || folder.back() == u'\\')
    return folder + name;
  return folder + u'\\' + name;
}

std::u16string EntryOf(const DefaultSequence& row) {
  std::u16string entry = row.result;
  entry += kSeqSeparator;
  for (const char* c = row.sequence; *c; ++c)
    entry += static_cast<char16_t>(*c);
  return entry;
}

}  // namespace

TCharList::TCharList(const TCharListServices& services) : FServices(services) {}

TSeqType TCharList::SeqOf(const std::u16string& entry) const {
  return FServices.codePage.FromUnicode(std::u16string(RawSeq(entry)));
}

std::u16string TCharList::GetExChar(int index) const {
  const std::u16string& entry = Strings(index);
  size_t tab = entry.rfind(kSeqSeparator);
  return tab == std::u16string::npos ? std::u16string() : entry.substr(0, tab);
}

TSeqType TCharList::GetSeq(int index) const {
  return SeqOf(Strings(index));
}

void TCharList::SetExChar(int index, const std::u16string& value) {
  SetStrings(index, value + kSeqSeparator + ToUnicode(GetSeq(index)));
}

void TCharList::SetSeq(int index, const TSeqType& value) {
  SetStrings(index, GetExChar(index) + kSeqSeparator + ToUnicode(value));
}

void TCharList::AddSeq(const std::u16string& compExChar, const TSeqType& compSeq) {
  Add(compExChar + kSeqSeparator + ToUnicode(compSeq));
  if (compExChar.size() == 1)
    fSeqPresent[compExChar[0]] = true;
}

std::u16string TCharList::TranslateSeq(const TSeqType& translSeq) const {
  std::u16string result;
  // One read for the whole scan: a change counts from the next lookup on.
  const bool reverse = ReverseOrder();
  for (int i = 0; i < Count(); ++i) {
    TSeqType seq = GetSeq(i);
    bool match;
    if (!reverse) {
      match = seq == translSeq;
    } else {
      // Only the crossed comparison; a sequence shorter than two characters has no other way
      // round and never matches.
      match = seq.size() == 2 && translSeq.size() == 2 && seq[1] == translSeq[0] &&
              seq[0] == translSeq[1];
    }
    if (match)
      result = GetExChar(i);
  }
  return result;
}

int TCharList::FindExChar(const std::u16string& findChar) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetExChar(i) == findChar)
      return i;
  }
  return -1;
}

int TCharList::CheckForDuplicate(const TSeqType& compSeq, int exclRow) const {
  std::vector<TSeqType> seqs;
  for (int i = 0; i < Count(); ++i)
    seqs.push_back(GetSeq(i));
  return LastWithSeq(seqs, compSeq, exclRow);
}

int TCharList::LastWithSeq(const std::vector<TSeqType>& seqs, const TSeqType& compSeq,
                           int exclRow) {
  int result = -1;
  for (int i = 0; i < static_cast<int>(seqs.size()); ++i) {
    if (i != exclRow && seqs[Index(i)] == compSeq)
      result = i;
  }
  return result;
}

bool TCharList::DeleteDuplicates() {
  // The sequences converted once, and kept in step with the entries.
  std::vector<TSeqType> seqs;
  for (int i = 0; i < Count(); ++i)
    seqs.push_back(GetSeq(i));
  bool changed = false;
  // After a deletion the same place is looked at again: the entry that moved into it may
  // have a partner, and so may the entry that kept it, since only the last duplicate is
  // reported. Moving on only past an entry without duplicates leaves none behind.
  for (int i = 0; i < Count() - 1;) {
    int dup = LastWithSeq(seqs, seqs[Index(i)], i);
    if (dup < 0) {
      ++i;
      continue;
    }
    std::u16string question = FormatText(
        kDuplicatesQuestion,
        {ToUnicode(seqs[Index(i)]), GetExChar(i), ToUnicode(seqs[Index(dup)]), GetExChar(dup)});
    int answer = AskUser(FServices.dialogs, question, 2);
    if (answer == mrCancel)
      return false;  // what was deleted so far stays deleted, unsaved
    int victim = answer == mrYes ? i : dup;
    Delete(victim);
    seqs.erase(seqs.begin() + victim);
    changed = true;
  }
  if (changed)
    SaveList();
  return true;
}

void TCharList::SeqSort(int column, bool aDecending) {
  if (column != 0 && column != 1)
    return;
  const platform::Collator& collator = FServices.collator;
  const int sign = aDecending ? -1 : 1;
  std::vector<std::u16string> keys;
  std::vector<int> rank(FEntries.size(), 0);
  if (column == 0) {
    // The sequence as the editor shows it; apostrophe keys first, then hyphen keys, whatever
    // weight the locale gives those two characters.
    const bool reverse = ReverseOrder();
    for (const auto& entry : FEntries) {
      std::u16string key(RawSeq(entry));
      if (reverse && key.size() == 2)
        std::swap(key[0], key[1]);
      if (!key.empty() && key[0] == u'\'')
        key.insert(key.begin(), u'\t');
      else if (!key.empty() && key[0] == u'-')
        key.insert(key.begin(), u'\v');
      keys.push_back(std::move(key));
    }
  } else {
    keys = FEntries;
    // Texts together: a text entry sorts before every other entry ascending, after it
    // descending. Entries shorter than 4 characters (waiting for their sequence) sort with
    // the single characters, so the order stays consistent.
    if (FServices.sharedData.SortTextTogether) {
      for (size_t i = 0; i < FEntries.size(); ++i)
        rank[i] = IsTextEntry(FEntries[i]) ? 0 : 1;
    }
  }
  std::vector<size_t> order(FEntries.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    int result =
        rank[a] != rank[b] ? (rank[a] < rank[b] ? -1 : 1) : collator.Compare(keys[a], keys[b]);
    return sign * result < 0;
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(FEntries.size());
  for (size_t i : order)
    sorted.push_back(std::move(FEntries[i]));
  FEntries = std::move(sorted);
}

void TCharList::SetSeqPresents() {
  fSeqPresent.reset();
  for (int i = 0; i < Count(); ++i) {
    std::u16string result = GetExChar(i);
    if (result.size() == 1)
      fSeqPresent[result[0]] = true;
  }
}

// The flag of the entry's first character is cleared even when another entry still has that
// character as its result; the editor recomputes the flags with SetSeqPresents when it needs
// them exact.
void TCharList::Delete(int index) {
  const std::u16string& entry = FEntries[static_cast<size_t>(index)];
  if (entry.size() > 1)
    fSeqPresent[entry[0]] = false;
  FEntries.erase(FEntries.begin() + index);
}

void TCharList::Assign(const TCharList& source) {
  if (&source == this)
    return;
  FEntries = source.FEntries;
  fSeqPresent = source.fSeqPresent;
}

void TCharList::InitList(const TQvxIniFile& settingsStore, const std::u16string& appDataFolder,
                         const std::u16string& exeFolder) {
  SeqFileName = InFolder(appDataFolder, kSequenceFileName);
  if (FServices.files.Exists(SeqFileName)) {
    LoadFromFile(SeqFileName, TTextEncoding::UTF8);
  } else {
    if (!settingsStore.ReadBool(kNoSection, kFirstRunValue, true))
      FServices.errors.ReportException(Error(FormatText(kSequenceFileMissing, {SeqFileName})));
    try {
      ImportVer1Sequences(settingsStore, appDataFolder, exeFolder);
    } catch (const Error& error) {
      // Keeping the old sequences is a courtesy: its failure is shown, and the defaults are
      // still set up and saved, so the next start does not meet a missing file again.
      FServices.errors.ReportException(error);
    }
    LoadDefaults();
    SaveList();
  }
  DeleteDuplicates();
  SeqSort(1, false);
  SetSeqPresents();
}

void TCharList::LoadFromFile(const std::u16string& fileName, TTextEncoding encoding) {
  LoadChecked(fileName, encoding);
}

TCharList::TCheckOutcome TCharList::LoadChecked(const std::u16string& fileName,
                                                TTextEncoding encoding) {
  std::string bytes = FServices.files.ReadAll(fileName);
  FEntries = SequenceFileLines(bytes, encoding, FServices.codePage);
  TCheckOutcome outcome = CheckEntries(SeqFileName);
  SetSeqPresents();
  return outcome;
}

void TCharList::SaveList(const std::u16string& aFileName) {
  const std::u16string& name = aFileName.empty() ? SeqFileName : aFileName;
  if (name.empty())
    return;
  std::vector<std::u16string> lines;
  lines.reserve(FEntries.size());
  for (auto& entry : FEntries) {
    lines.push_back(EscapeLineBreaks(entry));
    // In memory each entry becomes what the file gives back, before the write can fail: a
    // text that held the coded form of a line break now holds the line break.
    entry = UnescapeLineBreaks(lines.back());
  }
  FServices.files.ReplaceContent(name, SequenceFileBytes(lines));
}

void TCharList::ResetDefaults() {
  LoadDefaults();
  SetSeqPresents();
}

void TCharList::LoadDefaults() {
  Clear();
  for (const DefaultSequence& row : DefaultSequences())
    Add(EntryOf(row));
}

void TCharList::LoadVer1Defaults() {
  Clear();
  for (const DefaultSequence& row : Ver1DefaultSequences())
    Add(EntryOf(row));
}

void TCharList::CheckLoadedList() {
  CheckEntries(SeqFileName);
  SetSeqPresents();
}

TCharList::TCheckOutcome TCharList::CheckEntries(const std::u16string& repairFile) {
  int errors = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    const std::u16string& entry = FEntries[Index(i)];
    if (!IsWellFormedEntry(entry)) {
      Delete(i);
      ++errors;
    } else if (IsTextEntry(entry)) {
      FEntries[Index(i)] = UnescapeLineBreaks(entry);
    }
  }
  if (errors == 0)
    return TCheckOutcome::Clean;
  if (Count() > 0) {
    FServices.errors.ShowErrorMsg(FormatText(kLoadErrors, {IntToStr(errors), kLoadErrorsRemoved}));
    if (!repairFile.empty())
      SaveList(repairFile);
    return TCheckOutcome::Repaired;
  }
  FServices.errors.ShowErrorMsg(FormatText(kLoadErrors, {IntToStr(errors), kLoadErrorsReset}));
  LoadDefaults();
  return TCheckOutcome::Reset;
}

void TCharList::ImportVer1Sequences(const TQvxIniFile& settingsStore,
                                    const std::u16string& appDataFolder,
                                    const std::u16string& exeFolder) {
  try {
    std::u16string old = settingsStore.ReadString(kNoSection, kVer1SequencesValue, u"");
    SeqFileName = InFolder(exeFolder, kVer1SequenceFileName);
    if (!old.empty() || FServices.files.Exists(SeqFileName)) {
      LoadVer1Defaults();
      const std::vector<std::u16string> reference = FEntries;
      Clear();
      TCheckOutcome outcome;
      if (!old.empty()) {
        // Records of 5 characters: character, TAB, two sequence characters, a separator.
        while (!old.empty()) {
          Add(old.substr(0, 4));
          old.erase(0, 5);
        }
        // Checked as a loaded file is, so that what is saved is what Import reads back; there
        // is no file to repair.
        outcome = CheckEntries(u"");
      } else {
        outcome = LoadChecked(SeqFileName, TTextEncoding::UTF8);
      }
      // A copy is saved and announced only when an old sequence is left to keep: an empty
      // old file has none, and of wholly malformed data the user has been told that the list
      // is the defaults.
      if (outcome != TCheckOutcome::Reset && Count() > 0) {
        const bool customised = FEntries != reference;
        SeqFileName = InFolder(appDataFolder, kVer1SavedFileName);
        SaveList();
        if (customised) {
          FServices.dialogs.ShowMessageDlg(
              FormatText(kVer1Upgrade, {kVer1SavedFileName, appDataFolder}), TMsgDlgType::mtCustom,
              mbOK);
        }
      }
    }
  } catch (...) {
    SeqFileName = InFolder(appDataFolder, kSequenceFileName);
    throw;
  }
  SeqFileName = InFolder(appDataFolder, kSequenceFileName);
}

}  // namespace kq
