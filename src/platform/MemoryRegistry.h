#pragma once
// An in-memory HKEY_CURRENT_USER that behaves like the real one where the program can tell:
// names compare without regard to letter case and keep the spelling they were created with,
// values keep their types and their order of creation, subkeys list in sorted order, and a
// key deleted while open refuses further use.

#include <memory>

#include "platform/Registry.h"

namespace kq::platform {

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  std::unique_ptr<RegistryKey> OpenCurrentUser(const std::u16string& path,
                                               RegAccess access) override;
  std::unique_ptr<RegistryKey> CreateCurrentUser(const std::u16string& path) override;

  // Makes every write below this path fail, as a key without write permission does.
  void DenyWrites(const std::u16string& path);

  struct Node;

 private:
  std::shared_ptr<Node> root_;
};

}  // namespace kq::platform
