// The file and folder helpers, the busy cursor and the system facts, on a real system.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "common/Errors.h"
#include "common/Strings.h"
#include "platform/win32/Files.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32System.h"
#include "ui/win32/Application.h"
#include "ui/win32/BusyCursor.h"

namespace kq::testing {
namespace {

using win::Wide;

bool Exists(const std::u16string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string TempFolder() {
  wchar_t folder[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, folder);
  return win::Core(std::wstring_view(folder, length));
}

void WriteFile(const std::u16string& path, const std::string& content) {
  std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << content;
}

TEST(Files, AppDataFolderIsCreatedUnderTheRoamingFolder) {
  wchar_t roaming[MAX_PATH];
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, roaming)));
  const std::u16string expected = win::Core(roaming) + u"\\Brenhollow\\Keyquill";
  RemoveDirectoryW(Wide(expected).c_str());
  RemoveDirectoryW((std::wstring(roaming) + L"\\Brenhollow").c_str());

  EXPECT_EQ(win::GetAppDataFolder(), expected);
  DWORD attributes = GetFileAttributesW(Wide(expected).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(win::GetAppDataFolder(), expected);  // and again, when it exists
}

TEST(Files, TempFileNamesAreNewEmptyFilesWithThePrefix) {
  std::u16string first = win::NewTempFileName();
  std::u16string second = win::NewTempFileName();
  EXPECT_NE(first, second);
  for (const auto& name : {first, second}) {
    EXPECT_EQ(name.rfind(TempFolder(), 0), 0u);
    std::u16string base = name.substr(name.find_last_of(u'\\') + 1);
    EXPECT_EQ(base.substr(0, 3), u"~QV");
    EXPECT_EQ(base.substr(base.size() - 4), u".tmp");
    EXPECT_TRUE(Exists(name));
    DeleteFileW(Wide(name).c_str());
  }
}

TEST(Files, CanWriteToFolderProbesWithoutLeavingFiles) {
  const std::u16string folder = TempFolder() + u"kq_probe";
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  EXPECT_TRUE(win::CanWriteToFolder(folder + u"\\Keyquill2.dat"));
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(folder + u"\\*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the probe file was left behind";
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  RemoveDirectoryW(Wide(folder).c_str());
  EXPECT_FALSE(win::CanWriteToFolder(folder + u"\\missing\\Keyquill2.dat"));
}

TEST(Files, CopyKeepsContentAndDate) {
  const std::u16string source = TempFolder() + u"kq_source.txt";
  const std::u16string copy = TempFolder() + u"kq_copy.txt";
  WriteFile(source, std::string(200000, 'x') + "end");
  WriteFile(copy, "old content that is longer than nothing");
  {
    win::UniqueHandle file(CreateFileW(Wide(source).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    FILETIME past{0x12345600, 0x01D00000};  // in 2014
    SetFileTime(file.get(), nullptr, nullptr, &past);
  }
  win::CopyFileKeepDate(source, copy);

  std::ifstream in(std::filesystem::path(Wide(copy)), std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content.size(), 200003u);
  EXPECT_EQ(content.substr(content.size() - 3), "end");
  WIN32_FILE_ATTRIBUTE_DATA a, b;
  GetFileAttributesExW(Wide(source).c_str(), GetFileExInfoStandard, &a);
  GetFileAttributesExW(Wide(copy).c_str(), GetFileExInfoStandard, &b);
  EXPECT_EQ(CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime), 0);

  // Onto itself: refused, and the source survives.
  EXPECT_THROW(win::CopyFileKeepDate(source, source), FileError);
  GetFileAttributesExW(Wide(source).c_str(), GetFileExInfoStandard, &a);
  EXPECT_EQ(a.nFileSizeLow, 200003u);

  try {
    win::CopyFileKeepDate(TempFolder() + u"kq_absent.txt", copy);
    ADD_FAILURE() << "a missing source must raise";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FileIOErrorText(error), u"File not found");
  }
  DeleteFileW(Wide(source).c_str());
  DeleteFileW(Wide(copy).c_str());
}

TEST(Files, SystemFolderHasNoTrailingBackslash) {
  std::u16string folder = win::GetSystemFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), u'\\');
  EXPECT_TRUE(Exists(folder + u"\\kernel32.dll"));
}

TEST(BusyCursor, NestsAndResets) {
  ui::Application application(GetModuleHandleW(nullptr));
  ui::BeginBusy();
  ui::BeginBusy();
  ui::EndBusy();
  EXPECT_EQ(ui::BusyLevel(), 1);
  ui::BeginBusy();
  ui::ResetBusy();
  EXPECT_EQ(ui::BusyLevel(), 0);
  ui::EndBusy();  // more ends than begins stay idle
  EXPECT_EQ(ui::BusyLevel(), 0);
  ui::BeginBusy();
  EXPECT_EQ(ui::BusyLevel(), 1);
  ui::ResetBusy();
}

TEST(BusyCursor, LetsQueuedMessagesRun) {
  ui::Application application(GetModuleHandleW(nullptr));
  int seen = 0;
  const UINT probe = RegisterWindowMessageW(L"Keyquill test probe");
  application.SetMessageFilter([&](MSG& msg) {
    if (msg.message != probe)
      return false;
    ++seen;
    return true;
  });
  PostMessageW(application.Handle(), probe, 0, 0);
  ui::BeginBusy();
  EXPECT_EQ(seen, 1);
  PostMessageW(application.Handle(), probe, 0, 0);
  ui::EndBusy();
  EXPECT_EQ(seen, 2);
}

TEST(SystemFacts, AnsiCodePageAgreesWithTheNativeTable) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "the ANSI code page here is " << GetACP();
  win::Win32AnsiCodePage system;
  platform::Windows1252 table;
  std::string all;
  for (int b = 1; b < 256; ++b)
    all += static_cast<char>(b);
  EXPECT_EQ(system.ToUnicode(all), table.ToUnicode(all));
  const std::u16string text = u"'e\u00e9\u20ac\u0152\u03b1";
  EXPECT_EQ(system.FromUnicode(text), table.FromUnicode(text));
}

TEST(SystemFacts, ReleaseAndNumberFormatAreTheSystems) {
  platform::WindowsRelease release = win::QueryWindowsRelease();
  EXPECT_GE(release.major, 6u);
  EXPECT_GT(release.build, 0u);
  wchar_t decimal[8];
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
  NumberFormat format = win::QueryUserNumberFormat();
  EXPECT_EQ(format.decimalSeparator, decimal[0]);
  EXPECT_TRUE(IsValidNumber(std::u16string(u"2") + format.decimalSeparator + u"06", format));
}

}  // namespace
}  // namespace kq::testing
