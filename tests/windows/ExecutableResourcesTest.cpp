// What Keyquill.exe carries: its manifest and its version information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "support/KeyquillProcess.h"

namespace kq::testing {
namespace {

class Module {
 public:
  explicit Module(const std::wstring& path)
      : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() {
    if (module_)
      FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return L"";
  }
  return std::wstring(value, length ? length - 1 : 0);
}

TEST(ExecutableResources, ManifestAsksForCommonControls6PerMonitorDpiAndNoElevation) {
  Module exe(KeyquillProcess::ExecutablePath());
  ASSERT_TRUE(exe.get());
  HRSRC resource = FindResourceW(exe.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_TRUE(resource) << "no manifest";
  const char* data = static_cast<const char*>(LockResource(LoadResource(exe.get(), resource)));
  std::string manifest(data, SizeofResource(exe.get(), resource));
  for (const char* needed :
       {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "PerMonitorV2",
        "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
  }
}

TEST(ExecutableResources, VersionInformationNamesKeyquill206) {
  std::wstring path = KeyquillProcess::ExecutablePath();
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Keyquill");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"2.06");
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"2.06");
}

}  // namespace
}  // namespace kq::testing

namespace kq::testing {
namespace {

// The sizes of the images in an icon group resource.
std::vector<int> IconSizes(HMODULE module, const wchar_t* name) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
  struct GroupHeader {
    WORD reserved, type, count;
  };
#pragma pack(pop)
  std::vector<int> sizes;
  HRSRC resource = FindResourceW(module, name, RT_GROUP_ICON);
  if (!resource)
    return sizes;
  auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module, resource)));
  auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
  for (WORD i = 0; i < header->count; ++i)
    sizes.push_back(entries[i].width ? entries[i].width : 256);
  return sizes;
}

TEST(ExecutableResources, CarriesItsIconsInEverySizeTheShellAsksFor) {
  HMODULE exe =
      LoadLibraryExW(KeyquillProcess::ExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(exe);
  for (const wchar_t* name :
       {L"APPICON", L"LETTERRED", L"LETTERGREEN", L"XLETTERBLACK", L"ABOUTLEFT", L"ABOUTRIGHT"}) {
    EXPECT_EQ(IconSizes(exe, name), (std::vector<int>{16, 20, 24, 32, 48})) << name;
    win::UniqueIcon small(static_cast<HICON>(LoadImageW(exe, name, IMAGE_ICON, 16, 16, 0)));
    EXPECT_TRUE(small) << name;
  }
  FreeLibrary(exe);
}

}  // namespace
}  // namespace kq::testing
