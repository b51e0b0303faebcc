#pragma once
// The main window's side of the compose engine: a finished pair is looked up in the sequence
// list and its result typed into the target window as posted character messages, one
// character group per UTF-16 code unit. An undefined pair is typed as it is, then a beep.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "settings/ComposeSettings.h"

namespace kq::compose {

// The messages that make up a character group, with the system's values.
inline constexpr std::uint32_t kWmKeyDown = 0x100;
inline constexpr std::uint32_t kWmKeyUp = 0x101;
inline constexpr std::uint32_t kWmChar = 0x102;

// The result of a typed pair, a sequence key of at most two bytes in the ANSI code page; the
// empty string when no entry matches.
using SequenceLookup = std::function<std::u16string(const std::string& sequence)>;

class OutputSystem {
 public:
  virtual ~OutputSystem() = default;
  virtual void Post(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) = 0;
  // MessageBeep(0xFFFF).
  virtual void Beep() = 0;
};

class ComposeOutput {
 public:
  ComposeOutput(ComposeSettings& settings, const platform::AnsiCodePage& codePage,
                SequenceLookup lookup, OutputSystem& system)
      : settings_(settings), codePage_(codePage), lookup_(std::move(lookup)), system_(system) {}

  // The sequence key for two typed 16-bit values taken as UTF-16 code units: the first two
  // bytes of their ANSI form, where a character the code page lacks is its default character.
  std::string SequenceKey(std::uint16_t char1, std::uint16_t char2) const;

  void TranslateKeys(std::uint16_t char1, std::uint16_t char2, std::uintptr_t window);

 private:
  // WM_CHAR with the code unit, between a fake WM_KEYDOWN and WM_KEYUP when one is set; the
  // fake key is read anew for each group.
  void PostCharGroup(std::uintptr_t window, char16_t unit);

  ComposeSettings& settings_;
  const platform::AnsiCodePage& codePage_;
  SequenceLookup lookup_;
  OutputSystem& system_;
};

}  // namespace kq::compose
