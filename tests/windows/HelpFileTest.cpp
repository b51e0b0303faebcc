// The help file beside the program: every context number the program opens leads to a topic
// the file holds, read through the system's compiled-help storage as the viewer reads it.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/HelpTopics.h"
#include "support/KeyquillProcess.h"

namespace kq::testing {

// The system's storage of compiled help files (itss.dll), which has no header of its own.
// Declared outside the anonymous namespace: the compiler would otherwise take a type that no
// one in this file implements for one that no object can have.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                 IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};
namespace {

constexpr CLSID kItStorageClass = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
constexpr IID kItStorageInterface = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

class HelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IITStorage* storage = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(CoCreateInstance(kItStorageClass, nullptr, CLSCTX_INPROC_SERVER,
                                   kItStorageInterface, reinterpret_cast<void**>(&storage))));
    std::wstring path = TestProgramFolder() + L"\\Keyquill2.chm";
    HRESULT opened = storage->StgOpenStorage(path.c_str(), nullptr,
                                             STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &file);
    storage->Release();
    ASSERT_TRUE(SUCCEEDED(opened)) << "no help file beside the program";
  }
  void TearDown() override {
    if (file)
      file->Release();
    CoUninitialize();
  }

  // A stream of the file, whole; empty when there is none.
  std::vector<char> Read(const std::wstring& name) {
    std::vector<char> bytes;
    IStream* stream = nullptr;
    if (FAILED(
            file->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
      return bytes;
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0)
      bytes.insert(bytes.end(), buffer, buffer + got);
    stream->Release();
    return bytes;
  }

  IStorage* file = nullptr;
};

TEST_F(HelpFile, EveryContextTheProgramOpensHasItsTopic) {
  std::vector<int> contexts{1, 2, 6, 7, 8, 9, 2038, 2039, 2040, 2041};
  for (int c = 104; c <= 117; ++c)
    contexts.push_back(c);
  for (int context : contexts) {
    bool own = std::any_of(HelpTopics().begin(), HelpTopics().end(),
                           [&](const HelpTopic& topic) { return topic.context == context; });
    EXPECT_TRUE(own) << "context " << context << " has no topic of its own";
    std::u16string_view topic = HelpTopicFor(context);
    std::vector<char> page = Read(std::wstring(topic.begin(), topic.end()));
    ASSERT_FALSE(page.empty()) << "context " << context << ": the file lacks its topic";
    EXPECT_NE(std::string(page.begin(), page.end()).find("<h1>"), std::string::npos) << context;
  }
}

TEST_F(HelpFile, HoldsTheContentsAndTheDefaultSequences) {
  std::vector<char> contents = Read(L"Keyquill2.hhc");
  std::string text(contents.begin(), contents.end());
  EXPECT_NE(text.find("welcome.html"), std::string::npos);
  std::vector<char> sequences = Read(L"sequences.html");
  std::string table(sequences.begin(), sequences.end());
  EXPECT_NE(table.find("LATIN SMALL LETTER E WITH ACUTE"), std::string::npos);
  EXPECT_NE(table.find("My postcode"), std::string::npos);
}

}  // namespace
}  // namespace kq::testing
