#include "TTextFile.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "Cp1252.h"
#include "TError.h"

namespace {

// Close a descriptor when it leaves scope.
class TFd {
public:
  explicit TFd(int Fd) : FFd(Fd) {}
  ~TFd()
  {
    if (FFd >= 0)
      ::close(FFd);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return FFd; }
  // Close now and raise the error of a failing close.
  void Close()
  {
    const int Fd = FFd;
    FFd = -1;
    if (::close(Fd) != 0 && errno != EINTR)
      throw TInOutError(errno);
  }

private:
  int FFd;
};

// Buffered reader of one descriptor.
class TByteReader {
public:
  explicit TByteReader(int Fd) : FFd(Fd) {}
  // Answer the next byte, or -1 at the end of the file.
  int Next()
  {
    if (FPos == FEnd) {
      ssize_t n;
      do
        n = ::read(FFd, FBuffer, sizeof FBuffer);
      while (n < 0 && errno == EINTR);
      if (n < 0)
        throw TInOutError(errno);
      FPos = 0;
      FEnd = static_cast<size_t>(n);
      if (n == 0)
        return -1;
    }
    return static_cast<unsigned char>(FBuffer[FPos++]);
  }

private:
  int FFd;
  char FBuffer[8192];
  size_t FPos = 0;
  size_t FEnd = 0;
};

std::string DirectoryOf(const std::string& Path)
{
  const size_t Slash = Path.rfind('/');
  if (Slash == std::string::npos)
    return ".";
  return Slash == 0 ? "/" : Path.substr(0, Slash);
}

void WriteAll(int Fd, const std::string& Bytes)
{
  size_t Done = 0;
  while (Done < Bytes.size()) {
    const ssize_t n = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      throw TInOutError(errno);
    }
    Done += static_cast<size_t>(n);
  }
}

std::string BaseNameOf(const std::string& Path)
{
  const size_t Slash = Path.rfind('/');
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// Remove the temporaries that writes of Path killed before their rename left
// behind: the names WriteTextLines makes, Path's name, ".tmp" and digits.
void RemoveStaleTemporaries(const std::string& Directory, const std::string& Path)
{
  const std::string Prefix = BaseNameOf(Path) + ".tmp";
  DIR* Dir = ::opendir(Directory.c_str());
  if (Dir == nullptr)
    return;
  while (const dirent* Entry = ::readdir(Dir)) {
    const std::string Name = Entry->d_name;
    if (Name.size() <= Prefix.size() || Name.compare(0, Prefix.size(), Prefix) != 0)
      continue;
    if (Name.find_first_not_of("0123456789", Prefix.size()) != std::string::npos)
      continue;
    ::unlinkat(::dirfd(Dir), Name.c_str(), 0);
  }
  ::closedir(Dir);
}

} // namespace

bool FileExists(const std::string& Path)
{
  struct stat St;
  return ::stat(Path.c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DeleteFile(const std::string& Path) { return ::unlink(Path.c_str()) == 0; }

std::vector<std::string> ReadTextLines(const std::string& Path, size_t Count)
{
  TFd File(::open(Path.c_str(), O_RDONLY | O_CLOEXEC));
  if (File.Get() < 0)
    throw TInOutError(errno);
  TByteReader Reader(File.Get());
  std::vector<std::string> Lines;
  bool AtEnd = false;
  while (Lines.size() < Count) {
    std::string Line;
    while (!AtEnd) {
      const int c = Reader.Next();
      if (c < 0) {
        AtEnd = true;
      } else if (c == '\r') {
        // After a CR the rest of the line up to its LF is skipped.
        for (int After = Reader.Next(); After != '\n'; After = Reader.Next())
          if (After < 0) {
            AtEnd = true;
            break;
          }
        break;
      } else if (c == '\n') {
        break;
      } else if (Line.size() < MaxLineBytes) {
        Line += static_cast<char>(c);
      }
    }
    Lines.push_back(Cp1252ToUtf8(Line));
  }
  File.Close();
  return Lines;
}

void WriteTextLines(const std::string& Path, const std::vector<std::string>& Lines)
{
  std::string Bytes;
  for (const std::string& Line : Lines)
    Bytes += Utf8ToCp1252(Line) + "\r\n";

  const std::string Directory = DirectoryOf(Path);
  RemoveStaleTemporaries(Directory, Path);
  static std::mt19937_64 Random{std::random_device{}()};
  std::string TempPath;
  int Fd = -1;
  for (int Attempt = 0; Fd < 0; ++Attempt) {
    TempPath = Path + ".tmp" + std::to_string(Random() % 1000000000);
    Fd = ::open(TempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (Fd < 0 && (errno != EEXIST || Attempt > 100))
      throw TInOutError(errno);
  }
  try {
    TFd Temp(Fd);
    WriteAll(Temp.Get(), Bytes);
    if (::fsync(Temp.Get()) != 0)
      throw TInOutError(errno);
    Temp.Close();
    if (::rename(TempPath.c_str(), Path.c_str()) != 0)
      throw TInOutError(errno);
  } catch (...) {
    ::unlink(TempPath.c_str());
    throw;
  }
  TFd Dir(::open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (Dir.Get() >= 0)
    ::fsync(Dir.Get());
}
