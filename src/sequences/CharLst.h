#pragma once
// TCharList: the list of compose sequences. Each entry is one string: the result (one UTF-16
// code unit, or a text that may hold line breaks and TABs), a TAB, and the two characters of
// the sequence; the last TAB separates. A single-character entry is exactly 4 code units
// long, a text entry longer. The list keeps its entries in the order they were added, loaded
// or last sorted, and knows for each code unit whether it is the result of a
// single-character entry (the presence flags).
//
// The list reads its settings and reaches the system through the services it is given; they
// must outlive it.

#include <bitset>
#include <string>
#include <vector>

#include "common/ErrorMessages.h"
#include "common/MessageDialogs.h"
#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/FileSystem.h"
#include "sequences/SeqFile.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"

namespace kq {

// A sequence as the list hands it out and takes it in: at most two bytes in the ANSI code
// page, compared byte for byte (so "'e" and "'E" differ).
using TSeqType = std::string;

inline constexpr char16_t kSeqSeparator = u'\t';

struct TCharListServices {
  const TNewSharedData& sharedData;  // ReverseOrder, SortTextTogether
  const platform::AnsiCodePage& codePage;
  const platform::Collator& collator;  // both sort orders
  platform::FileSystem& files;
  MessageDialogs& dialogs;  // the duplicate question, the upgrade message
  ErrorMessages& errors;    // file check and missing-file reports
};

class TCharList {
 public:
  // An empty list; all presence flags false; SeqFileName empty.
  explicit TCharList(const TCharListServices& services);
  TCharList(const TCharList&) = delete;
  TCharList& operator=(const TCharList&) = delete;

  // What the list was built with, to build another one (the editor's copy) alike.
  const TCharListServices& Services() const { return FServices; }

  // The file SaveList writes when it is given no name. Assign leaves it alone.
  std::u16string SeqFileName;

  // The entries as a string list; indexes are 0-based and must name an existing entry.
  int Count() const { return static_cast<int>(FEntries.size()); }
  const std::u16string& Strings(int index) const { return FEntries.at(Index(index)); }
  void SetStrings(int index, std::u16string entry) { FEntries.at(Index(index)) = std::move(entry); }
  const std::vector<std::u16string>& Entries() const { return FEntries; }
  void Add(std::u16string entry) { FEntries.push_back(std::move(entry)); }
  // Removes every entry; the presence flags stay until SetSeqPresents.
  void Clear() { FEntries.clear(); }

  // The result: what comes before the last TAB; empty when the entry has none.
  std::u16string GetExChar(int index) const;
  // The first two characters after the last TAB (or of the entry, when it has no TAB) in
  // the ANSI code page.
  TSeqType GetSeq(int index) const;
  // Replaces the result, keeping the sequence as GetSeq gives it.
  void SetExChar(int index, const std::u16string& value);
  void SetSeq(int index, const TSeqType& value);
  // Appends result, TAB, sequence (which may be empty); flags a single-character result.
  void AddSeq(const std::u16string& compExChar, const TSeqType& compSeq);

  // The result for a typed pair, empty when no entry matches. Every entry is compared and
  // the last match wins. With ReverseOrder on, an entry matches the pair typed the other
  // way round only.
  std::u16string TranslateSeq(const TSeqType& translSeq) const;
  // The first entry whose whole result equals findChar, or -1.
  int FindExChar(const std::u16string& findChar) const;
  // The last entry other than exclRow whose sequence equals compSeq, or -1.
  int CheckForDuplicate(const TSeqType& compSeq, int exclRow) const;
  // Asks the user which of each two entries with the same sequence to delete, until no two
  // share a sequence, and saves the list when something was deleted. False when the user
  // cancelled.
  bool DeleteDuplicates();

  // Column 0 sorts by sequence (as the editor shows it), column 1 by whole entry, both in
  // the user's locale order; any other column leaves the list as it is.
  void SeqSort(int column, bool aDecending);

  void SetSeqPresents();
  // Whether the code unit is the result of a single-character entry.
  bool SeqPresent(char16_t c) const { return fSeqPresent[c]; }
  // Removes the entry. When it was a single-character entry, its character stays flagged
  // only while another single-character entry has it as its result.
  void Delete(int index);
  // Copies the entries and the presence flags of source; SeqFileName stays.
  void Assign(const TCharList& source);

  // The shared setting, read anew at each call.
  bool ReverseOrder() const { return FServices.sharedData.ReverseOrder(); }

  // At start-up: loads the sequence file in appDataFolder, or, when it is missing, keeps a
  // copy of version-1 sequences (from the settings store or from exeFolder) and writes the
  // defaults; then resolves duplicates and sorts by entry.
  void InitList(const TQvxIniFile& settingsStore, const std::u16string& appDataFolder,
                const std::u16string& exeFolder);
  // Replaces the entries by the lines of the file, then CheckLoadedList.
  void LoadFromFile(const std::u16string& fileName, TTextEncoding encoding = TTextEncoding::UTF8);
  // Writes the list to aFileName, or to SeqFileName when it is empty; nothing when both are.
  // The old file stays whole when writing fails; the failure reaches the caller as FileError.
  void SaveList(const std::u16string& aFileName = u"");
  void ResetDefaults();
  void LoadDefaults();
  void LoadVer1Defaults();
  // Removes malformed lines (reporting them), decodes the line breaks of text entries.
  void CheckLoadedList();
  // Saves version-1 sequences, when there are any, as "KeyquillVer1Sequences.dat" in
  // appDataFolder and tells the user when they differ from version 1's defaults. Records of
  // the registry value are checked as a loaded file is; when no record or line is well
  // formed, nothing is saved and only the check's message is shown. Leaves the
  // entries in no particular state; SeqFileName ends as the sequence file's path.
  void ImportVer1Sequences(const TQvxIniFile& settingsStore, const std::u16string& appDataFolder,
                           const std::u16string& exeFolder);

 private:
  // What the check of freshly read entries did.
  enum class TCheckOutcome {
    Clean,     // every entry was well formed
    Repaired,  // malformed entries were removed, and the user told
    Reset,     // none was well formed: the list is the defaults, and the user told
  };
  // Removes malformed entries and decodes the line breaks of text entries; after a repair
  // the cleaned list is saved to repairFile, when one is named.
  TCheckOutcome CheckEntries(const std::u16string& repairFile);
  TCheckOutcome LoadChecked(const std::u16string& fileName, TTextEncoding encoding);

  static size_t Index(int index) { return static_cast<size_t>(index); }
  TSeqType SeqOf(const std::u16string& entry) const;
  // The last index other than exclRow whose sequence in seqs is compSeq, or -1.
  static int LastWithSeq(const std::vector<TSeqType>& seqs, const TSeqType& compSeq, int exclRow);
  std::u16string ToUnicode(const TSeqType& seq) const { return FServices.codePage.ToUnicode(seq); }

  TCharListServices FServices;
  std::vector<std::u16string> FEntries;
  std::bitset<65536> fSeqPresent;
};

}  // namespace kq
