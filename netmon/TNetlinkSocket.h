#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A routing netlink socket of the calling thread's network namespace, opened
// on first use and kept for the next requests.
class TNetlinkSocket {
public:
  // Build a socket that opens on the first dump.
  TNetlinkSocket() = default;
  // Close the socket.
  ~TNetlinkSocket();
  TNetlinkSocket(const TNetlinkSocket&) = delete;
  TNetlinkSocket& operator=(const TNetlinkSocket&) = delete;

  // Send a dump request of message Type with the family header Request, and
  // gather the kernel's answer up to its end into Messages; answer false when
  // the socket fails.
  bool Dump(uint16_t Type, const void* Request, size_t RequestSize, std::string& Messages);

private:
  // Open and bind the socket; answer false when the kernel refuses.
  bool Open();
  // Close the socket, so the next dump opens a fresh one.
  void Close();

  int FFd = -1;
  uint32_t FSeq = 0;
  std::vector<char> FBuffer;
};
