#pragma once
// The texts the sequence list shows the user and the names of its files and settings.

namespace kq {

inline constexpr char16_t kSequenceFileName[] = u"Keyquill2.dat";
inline constexpr char16_t kVer1SequenceFileName[] = u"Keyquill2.dat";  // beside version 1's exe
inline constexpr char16_t kVer1SavedFileName[] = u"KeyquillVer1Sequences.dat";

// Settings read directly under the program's settings key.
inline constexpr char16_t kFirstRunValue[] = u"FirstRun2";
inline constexpr char16_t kVer1SequencesValue[] = u"ComposeSeqs";

// DeleteDuplicates; filled with sequence, result, sequence, result.
inline constexpr char16_t kDuplicatesQuestion[] =
    u"Duplicate sequences found\r\n\r\nDuplicates: \"%s\" for \"%s\" and \"%s\" for \"%s\". One "
    u"must be deleted. \r\n\r\nDelete the first or second sequence?.";

// CheckLoadedList; filled with the number of errors and one of the two outcomes.
inline constexpr char16_t kLoadErrors[] =
    u"Errors were found in loaded sequence list (%d errors). %s";
inline constexpr char16_t kLoadErrorsRemoved[] = u"These have been removed.";
inline constexpr char16_t kLoadErrorsReset[] = u"The list has been reset to defaults.";

// InitList, when the sequence file has gone; filled with its path.
inline constexpr char16_t kSequenceFileMissing[] =
    u"Sequence list has disappeared. Recreating default list.\r\n\r\n(File should have been at "
    u"%s)";

// ImportVer1Sequences; filled with the saved file's name and its folder.
inline constexpr char16_t kVer1Upgrade[] =
    u"Thank you for upgrading from Keyquill version 1. This new version has compose sequences "
    u"for many more accented characters than the old one. \r\n\r\nHowever, you seem to have "
    u"customized the sequences in the old version. Your old sequences have been saved to the "
    u"file %s, which can be found in the folder:\r\n\r\n%s\r\n\r\nIf you wish to revert to the "
    u"old sequences you can load them with the Import button on the Customize Compose "
    u"Sequences dialog box.";

}  // namespace kq
