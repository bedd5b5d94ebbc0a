#include "TNetlinkSocket.h"

#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include "NetlinkMessages.h"

namespace {

// Size of one receive; the kernel fills dump chunks of at most 32 KiB.
constexpr size_t ChunkSize = 64 * 1024;

} // namespace

TNetlinkSocket::~TNetlinkSocket()
{
  Close();
}

bool TNetlinkSocket::Open()
{
  if (FFd >= 0)
    return true;
  FFd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (FFd < 0)
    return false;
  // A kernel that never answers must not hang the tick for ever.
  const timeval Timeout{1, 0};
  ::setsockopt(FFd, SOL_SOCKET, SO_RCVTIMEO, &Timeout, sizeof Timeout);
  sockaddr_nl Local{};
  Local.nl_family = AF_NETLINK;
  if (::bind(FFd, reinterpret_cast<const sockaddr*>(&Local), sizeof Local) != 0) {
    Close();
    return false;
  }
  FBuffer.resize(ChunkSize);
  return true;
}

void TNetlinkSocket::Close()
{
  if (FFd >= 0)
    ::close(FFd);
  FFd = -1;
}

bool TNetlinkSocket::Dump(uint16_t Type, const void* Request, size_t RequestSize, std::string& Messages)
{
  Messages.clear();
  if (!Open())
    return false;
  const uint32_t Seq = ++FSeq;
  std::string Packet(NLMSG_SPACE(RequestSize), '\0');
  nlmsghdr Header{};
  Header.nlmsg_len = static_cast<uint32_t>(NLMSG_LENGTH(RequestSize));
  Header.nlmsg_type = Type;
  Header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  Header.nlmsg_seq = Seq;
  std::memcpy(Packet.data(), &Header, sizeof Header);
  std::memcpy(Packet.data() + NLMSG_HDRLEN, Request, RequestSize);
  sockaddr_nl Kernel{};
  Kernel.nl_family = AF_NETLINK;
  ssize_t Sent;
  do
    Sent = ::sendto(FFd, Packet.data(), Header.nlmsg_len, 0, reinterpret_cast<const sockaddr*>(&Kernel), sizeof Kernel);
  while (Sent < 0 && errno == EINTR);
  if (Sent != static_cast<ssize_t>(Header.nlmsg_len)) {
    Close();
    return false;
  }
  for (;;) {
    sockaddr_nl From{};
    socklen_t FromSize = sizeof From;
    const ssize_t Got =
        ::recvfrom(FFd, FBuffer.data(), FBuffer.size(), MSG_TRUNC, reinterpret_cast<sockaddr*>(&From), &FromSize);
    if (Got < 0 && errno == EINTR)
      continue;
    // A failed or truncated receive leaves the rest of the dump queued: start
    // over on a fresh socket next time.
    if (Got <= 0 || static_cast<size_t>(Got) > FBuffer.size()) {
      Close();
      return false;
    }
    // Only the kernel speaks with port 0.
    if (From.nl_pid != 0)
      continue;
    if (GatherDumpChunk(std::string_view(FBuffer.data(), size_t(Got)), Seq, Messages))
      return true;
  }
}
