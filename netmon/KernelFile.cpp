#include "KernelFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool ReadKernelFile(const std::string& Path, std::string& Text)
{
  Text.clear();
  const int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0)
    return false;
  char Chunk[4096];
  bool Ok = true;
  for (;;) {
    const ssize_t Got = ::read(Fd, Chunk, sizeof Chunk);
    if (Got > 0) {
      Text.append(Chunk, size_t(Got));
      continue;
    }
    if (Got < 0 && errno == EINTR)
      continue;
    Ok = Got == 0;
    break;
  }
  ::close(Fd);
  return Ok;
}
