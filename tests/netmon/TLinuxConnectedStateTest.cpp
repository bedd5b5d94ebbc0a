#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TLinuxConnectedState.h"

namespace {

namespace fs = std::filesystem;

const char* const RouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(TLinuxConnectedStateTest, FindsTheIpv4DefaultRoute)
{
  const struct {
    const char* Name;
    std::string Routes;
    bool Default;
  } Cases[] = {
      {"default via a gateway", "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", true},
      {"default on a point-to-point link", "ppp0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0", true},
      {"subnet route only", "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n", false},
      {"destination 0 with a mask", "eth0\t00000000\t00000000\t0001\t0\t0\t0\t000000FF\t0\t0\t0\n", false},
      {"default not up", "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"unreachable default", "*\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"malformed fields", "eth0\t0000000g\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
                           "eth0\t00000000\t010200C0\t0003\n",
       false},
      {"default after other routes", "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                                     "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n",
       true},
      {"empty table", "", false},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(HasIpv4DefaultRoute(RouteHeader + Case.Routes), Case.Default);
  }
  // The header line is never a route, whatever it holds.
  EXPECT_FALSE(HasIpv4DefaultRoute("eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"));
}

TEST(TLinuxConnectedStateTest, FindsTheIpv6DefaultRoute)
{
  const std::string Zero(32, '0');
  const std::string Gateway = "fd000000000000000000000000000001";
  const std::string Line = " 00 " + Zero + " 00 ";
  const struct {
    const char* Name;
    std::string Routes;
    bool Default;
  } Cases[] = {
      {"default via a gateway", Zero + Line + Gateway + " 00000400 00000002 00000000 00000003     eth0\n", true},
      {"kernel's reject route on lo", Zero + Line + Zero + " ffffffff 00000001 00000000 00200200       lo\n", false},
      {"default not up", Zero + Line + Gateway + " 00000400 00000002 00000000 00000002     eth0\n", false},
      {"reject route even when up", Zero + Line + Zero + " ffffffff 00000001 00000000 00000201       lo\n", false},
      {"prefix route", "fd000000000000000000000000000000 40 " + Zero + " 00 " + Zero +
                           " 00000100 00000001 00000000 00000001     eth0\n",
       false},
      {"host route to ::", Zero + " 80 " + Zero + " 00 " + Zero + " 00000100 00000001 00000000 00000001     eth0\n",
       false},
      {"cut short", Zero + Line + Gateway + " 00000400\n", false},
      {"empty table", "", false},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(HasIpv6DefaultRoute(Case.Routes), Case.Default);
  }
}

TEST(TLinuxConnectedStateTest, EitherFileMayHoldTheDefault)
{
  const fs::path Dir = fs::temp_directory_path() / ("tavrelo-routes-" + std::to_string(::getpid()));
  fs::create_directories(Dir);
  const std::string V4 = Dir / "route";
  const std::string V6 = Dir / "ipv6_route";
  const std::string Missing = Dir / "missing";
  const std::string V4Default = std::string(RouteHeader) + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
  const std::string V6Default = std::string(32, '0') + " 00 " + std::string(32, '0') + " 00 " +
                                "fd000000000000000000000000000001 00000400 00000002 00000000 00000003 eth0\n";
  const struct {
    std::string V4Text;
    std::string V6Text;
    bool V6Missing;
    bool Connected;
  } Cases[] = {
      {V4Default, "", false, true},
      {RouteHeader, V6Default, false, true},
      {RouteHeader, "", false, false},
      {V4Default, "", true, true},
      {RouteHeader, "", true, false},
  };
  for (const auto& Case : Cases) {
    std::ofstream(V4) << Case.V4Text;
    std::ofstream(V6) << Case.V6Text;
    TLinuxConnectedState State(V4, Case.V6Missing ? Missing : V6);
    EXPECT_EQ(State.InternetGetConnectedState(), Case.Connected) << Case.V4Text << Case.V6Text;
  }
  TLinuxConnectedState Nothing(Missing, Missing);
  EXPECT_FALSE(Nothing.InternetGetConnectedState());
  fs::remove_all(Dir);
}

} // namespace
