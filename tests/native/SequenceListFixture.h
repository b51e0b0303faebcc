#pragma once
// A sequence list over in-memory settings, files and dialogs, with the native code page and
// collation.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingPrompts.h"
#include "fakes/SettingsFixture.h"
#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/MemoryRegistry.h"
#include "sequences/CharLst.h"
#include "settings/Globals.h"
#include "settings/Qvxinif.h"

namespace kq::testing {

class SequenceListTest : public ::testing::Test,
                         protected ProgramSettings<platform::MemoryRegistry> {
 protected:
  void Fill(std::initializer_list<std::u16string> entries) {
    list.Clear();
    for (const auto& entry : entries)
      list.Add(entry);
    list.SetSeqPresents();
  }
  void SetReverseOrder(bool on) { shared.SetReverseOrder(on); }

  // The bytes of a sequence file holding these lines as they are.
  static std::string FileOf(std::initializer_list<std::u16string_view> lines) {
    std::string bytes = "\xEF\xBB\xBF";
    for (auto line : lines)
      bytes += ToUtf8(line) + "\r\n";
    return bytes;
  }

  platform::Windows1252 codePage;
  platform::CodeUnitCollator collator;
  MemoryFileSystem files;
  ScriptedDialogs dialogs;
  TCharListServices services{shared, codePage, collator, files, dialogs, errors};
  TCharList list{services};
};

}  // namespace kq::testing
