// The C++ library's files behind the file interface, on the real disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/Errors.h"
#include "platform/FileSystem.h"

namespace kq {
namespace {

namespace fs = std::filesystem;

class StdFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("kq_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // The program's form of a path in the folder: backslash before the name.
  std::u16string Path(const char* name) const {
    return folder.u16string() + u"\\" + fs::path(name).u16string();
  }
  std::string Content(const char* name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder))
      names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder;
  platform::StdFileSystem files;
};

TEST_F(StdFileSystemTest, ReplaceCreatesAndReplacesWholeFiles) {
  EXPECT_FALSE(files.Exists(Path("list.dat")));
  files.ReplaceContent(Path("list.dat"), std::string("first\r\n\0x", 9));
  EXPECT_TRUE(files.Exists(Path("list.dat")));
  EXPECT_EQ(files.ReadAll(Path("list.dat")), std::string("first\r\n\0x", 9));
  files.ReplaceContent(Path("list.dat"), "2");
  EXPECT_EQ(Content("list.dat"), "2");
  EXPECT_EQ(Names(), (std::vector<std::string>{"list.dat"}));  // no temporary file left
}

TEST_F(StdFileSystemTest, FailedReplaceLeavesTheTargetAndNoTemporaryFile) {
  fs::create_directory(folder / "list.dat");  // a folder cannot be replaced by a file
  std::ofstream(folder / "list.dat" / "inside") << "kept";
  try {
    files.ReplaceContent(Path("list.dat"), "new");
    ADD_FAILURE() << "replacing a folder must fail";
  } catch (const FileError& error) {
    EXPECT_NE(error.Message().find(u"list.dat"), std::u16string::npos) << error.what();
    EXPECT_NE(error.Code(), 0u);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"list.dat"}));
  EXPECT_EQ(Content("list.dat/inside"), "kept");
  EXPECT_FALSE(files.Exists(Path("list.dat")));  // a folder is no file
  EXPECT_THROW(files.ReplaceContent(Path("missing\\list.dat"), "x"), FileError);
}

TEST_F(StdFileSystemTest, ReadAndCopyFailuresNameTheFile) {
  try {
    files.ReadAll(Path("absent.dat"));
    ADD_FAILURE() << "a missing file must raise";
  } catch (const FileError& error) {
    EXPECT_NE(error.Message().find(u"absent.dat"), std::u16string::npos);
    EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(ENOENT));
  }
  EXPECT_THROW(files.Copy(Path("absent.dat"), Path("copy.dat")), FileError);
  files.ReplaceContent(Path("a.dat"), "content");
  files.ReplaceContent(Path("b.dat"), "older and longer");
  files.Copy(Path("a.dat"), Path("b.dat"));
  EXPECT_EQ(Content("b.dat"), "content");
  files.Copy(Path("a.dat"), Path("a.dat"));
  EXPECT_EQ(Content("a.dat"), "content");
}

}  // namespace
}  // namespace kq
