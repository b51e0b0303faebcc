#pragma once
// The built-in sequence tables: the defaults of this version, and those of version 1, which
// only serve to tell whether a version-1 user had changed the old sequences.

#include <span>

namespace kq {

struct DefaultSequence {
  const char16_t* result;
  const char* sequence;  // two ASCII characters, the same bytes in every ANSI code page
};

// The 358 defaults in the order they are added: first the address template, a text of five
// lines, then the single characters.
std::span<const DefaultSequence> DefaultSequences();

// The 119 single-character defaults of version 1, in its order.
std::span<const DefaultSequence> Ver1DefaultSequences();

}  // namespace kq
