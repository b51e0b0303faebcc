#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <map>

#include "common/Errors.h"
#include "common/Text.h"

namespace kq::platform {

namespace {

std::u16string Folded(const std::u16string& name) {
  std::u16string out = name;
  for (auto& c : out)
    c = FoldCase(c);
  return out;
}

std::vector<std::u16string> SplitPath(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::u16string part;
  for (char16_t c : path) {
    if (c == u'\\') {
      if (!part.empty())
        parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty())
    parts.push_back(part);
  return parts;
}

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kKeyDeleted = 1018;

}  // namespace

struct MemoryRegistry::Node {
  std::u16string name;
  bool deleted = false;
  bool denyWrites = false;
  std::map<std::u16string, std::shared_ptr<Node>> children;  // by folded name: sorted
  std::vector<std::pair<std::u16string, RegValue>> values;   // in order of creation

  bool WritesDenied() const { return denyWrites; }

  std::shared_ptr<Node> Child(const std::u16string& name) const {
    auto it = children.find(Folded(name));
    return it == children.end() ? nullptr : it->second;
  }

  auto FindValue(const std::u16string& name) {
    return std::find_if(values.begin(), values.end(),
                        [&](const auto& v) { return SameTextIgnoringCase(v.first, name); });
  }

  void MarkDeleted() {
    deleted = true;
    for (auto& [_, child] : children)
      child->MarkDeleted();
  }
};

namespace {

using Node = MemoryRegistry::Node;

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::shared_ptr<Node> node, RegAccess access)
      : node_(std::move(node)), access_(access) {}

  std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& path, RegAccess access) override {
    CheckAlive();
    std::shared_ptr<Node> node = node_;
    for (const auto& part : SplitPath(path)) {
      node = node->Child(part);
      if (!node)
        return nullptr;
    }
    return std::make_unique<MemoryKey>(node, access);
  }

  std::unique_ptr<RegistryKey> CreateSubKey(const std::u16string& path) override {
    CheckAlive();
    std::shared_ptr<Node> node = node_;
    for (const auto& part : SplitPath(path)) {
      auto child = node->Child(part);
      if (!child) {
        if (node->WritesDenied())
          throw RegistryError(u"Access is denied.", kAccessDenied);
        child = std::make_shared<Node>();
        child->name = part;
        child->denyWrites = node->denyWrites;
        node->children[Folded(part)] = child;
      }
      node = child;
    }
    return std::make_unique<MemoryKey>(node, RegAccess::ReadWrite);
  }

  std::optional<RegValue> ReadValue(const std::u16string& name) override {
    CheckAlive();
    auto it = node_->FindValue(name);
    if (it == node_->values.end())
      return std::nullopt;
    return it->second;
  }

  void WriteValue(const std::u16string& name, const RegValue& value) override {
    CheckWritable();
    auto it = node_->FindValue(name);
    if (it == node_->values.end()) {
      node_->values.emplace_back(name, value);
    } else {
      it->second = value;  // the value keeps the spelling it was created with
    }
  }

  bool DeleteValue(const std::u16string& name) override {
    CheckWritable();
    auto it = node_->FindValue(name);
    if (it == node_->values.end())
      return false;
    node_->values.erase(it);
    return true;
  }

  std::vector<std::u16string> SubKeyNames() override {
    CheckAlive();
    std::vector<std::u16string> names;
    for (const auto& [_, child] : node_->children)
      names.push_back(child->name);
    return names;
  }

  std::vector<std::u16string> ValueNames() override {
    CheckAlive();
    std::vector<std::u16string> names;
    for (const auto& [name, _] : node_->values)
      names.push_back(name);
    return names;
  }

  bool DeleteSubKeyTree(const std::u16string& path) override {
    CheckWritable();
    auto parts = SplitPath(path);
    if (parts.empty()) {
      // Like RegDeleteTree with no subkey: empties this key but keeps it.
      for (auto& [_, child] : node_->children)
        child->MarkDeleted();
      node_->children.clear();
      node_->values.clear();
      return true;
    }
    std::shared_ptr<Node> parent = node_;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      parent = parent->Child(parts[i]);
      if (!parent)
        return false;
    }
    auto it = parent->children.find(Folded(parts.back()));
    if (it == parent->children.end())
      return false;
    it->second->MarkDeleted();
    parent->children.erase(it);
    return true;
  }

 private:
  void CheckAlive() const {
    if (node_->deleted) {
      throw RegistryError(
          u"Illegal operation attempted on a registry key that has been marked "
          u"for deletion.",
          kKeyDeleted);
    }
  }
  void CheckWritable() const {
    CheckAlive();
    if (access_ != RegAccess::ReadWrite || node_->WritesDenied()) {
      throw RegistryError(u"Access is denied.", kAccessDenied);
    }
  }

  std::shared_ptr<Node> node_;
  RegAccess access_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() : root_(std::make_shared<Node>()) {}
MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::OpenCurrentUser(const std::u16string& path,
                                                             RegAccess access) {
  return MemoryKey(root_, RegAccess::ReadWrite).OpenSubKey(path, access);
}

std::unique_ptr<RegistryKey> MemoryRegistry::CreateCurrentUser(const std::u16string& path) {
  return MemoryKey(root_, RegAccess::ReadWrite).CreateSubKey(path);
}

void MemoryRegistry::DenyWrites(const std::u16string& path) {
  CreateCurrentUser(path);
  std::shared_ptr<Node> node = root_;
  for (const auto& part : SplitPath(path))
    node = node->Child(part);
  std::vector<Node*> todo{node.get()};
  while (!todo.empty()) {
    Node* n = todo.back();
    todo.pop_back();
    n->denyWrites = true;
    for (auto& [_, child] : n->children)
      todo.push_back(child.get());
  }
}

}  // namespace kq::platform
