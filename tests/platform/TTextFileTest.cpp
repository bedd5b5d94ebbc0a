#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TError.h"
#include "TTextFile.h"

namespace fs = std::filesystem;

namespace {

class TTextFileTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Dir = fs::temp_directory_path() / ("tavrelo-text-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override
  {
    fs::permissions(Dir, fs::perms::owner_all);
    fs::remove_all(Dir);
  }
  std::string Path(const std::string& Name) const { return (Dir / Name).string(); }
  void Put(const std::string& Name, const std::string& Bytes) const
  {
    std::ofstream(Path(Name), std::ios::binary) << Bytes;
  }
  std::string Get(const std::string& Name) const
  {
    std::ifstream In(Path(Name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
  }
  fs::path Dir;
};

} // namespace

TEST_F(TTextFileTest, LineEndsAtCrLfOrEndOfFile)
{
  struct TCase {
    std::string Bytes;
    std::vector<std::string> Lines;
  };
  const TCase Cases[] = {
      {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
      {"a\nb\nc", {"a", "b", "c"}},
      {"a\rb\rc\r", {"a", "", ""}},
      {"a\rskipped\nb\r\nc", {"a", "b", "c"}},
      {"a\r\n\r\nc\r\nextra\r\n", {"a", "", "c"}},
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"", {"", "", ""}},
      {"\r\r\n\n", {"", "", ""}},
      {"\xE9", {"é", "", ""}},
  };
  for (const TCase& Case : Cases) {
    Put("f", Case.Bytes);
    EXPECT_EQ(ReadTextLines(Path("f"), 3), Case.Lines);
  }
}

TEST_F(TTextFileTest, LongLineIsCutAndTheRestSkipped)
{
  Put("f", std::string(3 * MaxLineBytes, 'x') + "\r\n42\r\n");
  const auto Lines = ReadTextLines(Path("f"), 2);
  EXPECT_EQ(Lines[0], std::string(MaxLineBytes, 'x'));
  EXPECT_EQ(Lines[1], "42");
}

TEST_F(TTextFileTest, ReadingMissingFileOrDirectoryRaises)
{
  try {
    ReadTextLines(Path("missing"), 3);
    FAIL();
  } catch (const TInOutError& Error) {
    EXPECT_STREQ(Error.what(), "Fichier introuvable");
  }
  fs::create_directory(Path("dir"));
  EXPECT_THROW(ReadTextLines(Path("dir"), 3), TInOutError);
  EXPECT_FALSE(FileExists(Path("dir")));
  EXPECT_FALSE(FileExists(Path("missing")));
}

TEST_F(TTextFileTest, WriteReplacesWholeFileWithCrLfLines)
{
  Put("f", "old\r\nold\r\nold\r\nold\r\n");
  WriteTextLines(Path("f"), {"05/03/2026 21:07:45", "0", "été"});
  EXPECT_EQ(Get("f"), "05/03/2026 21:07:45\r\n0\r\n\xE9t\xE9\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(TTextFileTest, FailedWriteLeavesPreviousFileAndNoTemporary)
{
  Put("f", "a\r\n1\r\n2\r\n");
  fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                           fs::perms::others_exec);
  // Root ignores directory permissions, so the write runs as nobody in a child.
  const pid_t Child = ::fork();
  if (Child == 0) {
    if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0)
      ::_exit(3);
    try {
      WriteTextLines(Path("f"), {"b", "2", "3"});
      ::_exit(1);
    } catch (const TInOutError& Error) {
      ::_exit(std::string(Error.what()) == "Accès au fichier refusé" ? 0 : 2);
    }
  }
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  ASSERT_TRUE(WIFEXITED(Status));
  EXPECT_EQ(WEXITSTATUS(Status), 0) << "1: the write went through, 2: another error, 3: could not drop root";
  fs::permissions(Dir, fs::perms::owner_all);
  EXPECT_EQ(Get("f"), "a\r\n1\r\n2\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);
}

TEST_F(TTextFileTest, WriteOverDirectoryRaisesAndRemovesTemporary)
{
  fs::create_directory(Path("f"));
  EXPECT_THROW(WriteTextLines(Path("f"), {"a", "0", "1"}), TInOutError);
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);
}

TEST_F(TTextFileTest, WriteReplacesPlantedLinkInsteadOfFollowingIt)
{
  Put("target", "precious\r\n");
  fs::create_symlink(Path("target"), Path("f"));
  WriteTextLines(Path("f"), {"a", "0", "1"});
  EXPECT_EQ(Get("target"), "precious\r\n");
  EXPECT_FALSE(fs::is_symlink(Path("f")));
  EXPECT_EQ(Get("f"), "a\r\n0\r\n1\r\n");
}

TEST_F(TTextFileTest, WriteRemovesTemporariesOfInterruptedWrites)
{
  Put("f", "a\r\n1\r\n2\r\n");
  Put("f.tmp123", "half");
  Put("f.tmpx", "not ours");
  Put("g.tmp5", "another file's");
  WriteTextLines(Path("f"), {"b", "2", "3"});
  EXPECT_FALSE(fs::exists(Path("f.tmp123")));
  EXPECT_TRUE(fs::exists(Path("f.tmpx")));
  EXPECT_TRUE(fs::exists(Path("g.tmp5")));
  EXPECT_EQ(Get("f"), "b\r\n2\r\n3\r\n");
}
