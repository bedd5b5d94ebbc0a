#pragma once
#include <string>
#include <string_view>

#include "IPHLPAPI.h"

// Answer whether a /proc/net/route text holds a default route that is up and
// not a reject route.
bool HasIpv4DefaultRoute(std::string_view Text);
// Answer whether a /proc/net/ipv6_route text holds a ::/0 route that is up and
// not a reject route (such as the kernel's own unreachable one on lo).
bool HasIpv6DefaultRoute(std::string_view Text);

// The connected state read from the kernel's routing tables: connected while
// an IPv4 or an IPv6 default route exists.
class TLinuxConnectedState : public TConnectedStateQuery {
public:
  // Build the query over the two route files.
  explicit TLinuxConnectedState(std::string RoutePath = "/proc/net/route",
                                std::string Ipv6RoutePath = "/proc/net/ipv6_route");
  // Answer true when either route file holds a default route; a missing file holds none.
  bool InternetGetConnectedState() override;

private:
  std::string FRoutePath;
  std::string FIpv6RoutePath;
  std::string FText;
};
