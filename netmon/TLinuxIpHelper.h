#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "IPHLPAPI.h"
#include "NetlinkMessages.h"
#include "TNetlinkSocket.h"

// What sysfs tells of one interface beyond its link message.
struct TSysfsFacts {
  std::string DevType;  // DEVTYPE of its uevent, such as "wlan" or "wwan"; empty when none
  bool Wireless = false; // a wireless/ or phy80211/ entry exists
  int64_t SpeedMbps = -1; // its speed file, in Mb/s; -1 when unknown
};

// Read the sysfs facts of interface Name under Root; facts of a directory
// whose IFINDEX is not Index (another namespace's interface) are ignored.
TSysfsFacts ReadSysfsFacts(const std::string& Root, const std::string& Name, uint32_t Index);
// Answer the interface type (IF_TYPE_...) of a link.
uint32_t ClassifyLink(const TLinkRecord& Link, const TSysfsFacts& Facts);
// Answer the description of an interface of type Type named Name, such as "Ethernet eth0".
std::string DescribeLink(uint32_t Type, const std::string& Name);
// Build the interface row of a link.
MIB_IFROW BuildIfRow(const TLinkRecord& Link, const TSysfsFacts& Facts);
// Build the address row of an IPv4 address.
MIB_IPADDRROW BuildAddrRow(const TAddrRecord& Addr);
// Sort address rows by address as the dotted form reads, keeping the kernel's
// order among equal addresses.
void SortAddrRows(std::vector<MIB_IPADDRROW>& Rows);

// The interface and address tables read from the kernel through rtnetlink,
// in the network namespace of the thread that first calls.  The sysfs facts
// of a link are read again whenever its index, name or flags change.
class TLinuxIpHelper : public TIpHelperService {
public:
  // Build the service over the sysfs interface directory SysfsRoot.
  explicit TLinuxIpHelper(std::string SysfsRoot = "/sys/class/net");

  // Answer the kernel's links as an interface table, sorted by index when bOrder.
  uint32_t GetIfTable(MIB_IFTABLE* pIfTable, uint32_t* pdwSize, bool bOrder) override;
  // Answer the kernel's IPv4 addresses as an address table, sorted by address when bOrder.
  uint32_t GetIpAddrTable(MIB_IPADDRTABLE* pIpAddrTable, uint32_t* pdwSize, bool bOrder) override;

private:
  // Answer the sysfs facts of Link, from the cache while the link is unchanged.
  const TSysfsFacts& FactsOf(const TLinkRecord& Link);

  using TFactsKey = std::tuple<uint32_t, std::string, uint32_t>;
  std::string FSysfsRoot;
  std::map<TFactsKey, TSysfsFacts> FFacts;
  std::map<TFactsKey, TSysfsFacts> FSeenFacts;
  TNetlinkSocket FSocket;
  std::string FMessages;
  std::vector<TLinkRecord> FLinks;
  std::vector<TAddrRecord> FAddrs;
  std::vector<MIB_IFROW> FIfRows;
  std::vector<MIB_IPADDRROW> FAddrRows;
};
