#include <gtest/gtest.h>

// glibc's interface header must come before the kernel's.
#include <net/if.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "IPHelper.h"
#include "TLinuxConnectedState.h"
#include "TLinuxIpHelper.h"
#include "TNetMonitor.h"

namespace {

// What the child saw in its namespace, by name.
using TObservations = std::map<std::string, std::string>;

// Run Body in a forked child inside a fresh network and mount namespace, with
// that namespace's own sysfs mounted at the directory given to Body.  The
// child reports "skip" when the namespace cannot be made here.  Everything
// made in the namespace vanishes with the child.
TObservations ObserveInNetns(const std::function<void(const std::string& Sysfs, TObservations&)>& Body)
{
  char Dir[] = "/tmp/tavrelo-netns-XXXXXX";
  if (::mkdtemp(Dir) == nullptr)
    return {{"skip", std::string("no temporary directory: ") + std::strerror(errno)}};
  int Pipe[2];
  if (::pipe(Pipe) != 0)
    return {{"skip", "no pipe"}};
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::close(Pipe[0]);
    TObservations Seen;
    if (::unshare(CLONE_NEWNET | CLONE_NEWNS) != 0)
      Seen["skip"] = std::string("network namespaces are not allowed here: ") + std::strerror(errno);
    else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
             ::mount("sysfs", Dir, "sysfs", 0, nullptr) != 0)
      Seen["skip"] = std::string("sysfs cannot be mounted in the namespace: ") + std::strerror(errno);
    else {
      try {
        Body(std::string(Dir) + "/class/net", Seen);
      } catch (const std::exception& Error) {
        Seen["error"] = Error.what();
      }
    }
    std::string Report;
    for (const auto& [Key, Value] : Seen)
      Report += Key + '\t' + Value + '\n';
    for (size_t At = 0; At < Report.size();) {
      const ssize_t Put = ::write(Pipe[1], Report.data() + At, Report.size() - At);
      if (Put <= 0)
        break;
      At += size_t(Put);
    }
    ::_exit(0);
  }
  ::close(Pipe[1]);
  std::string Report;
  char Chunk[1024];
  for (ssize_t Got; (Got = ::read(Pipe[0], Chunk, sizeof Chunk)) > 0;)
    Report.append(Chunk, size_t(Got));
  ::close(Pipe[0]);
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  ::rmdir(Dir);
  TObservations Seen;
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
    Seen["error"] = "the namespace child died";
  for (size_t At = 0; At < Report.size();) {
    const size_t Tab = Report.find('\t', At);
    const size_t End = Report.find('\n', At);
    if (Tab == std::string::npos || End == std::string::npos || Tab > End)
      break;
    Seen[Report.substr(At, Tab - At)] = Report.substr(Tab + 1, End - Tab - 1);
    At = End + 1;
  }
  return Seen;
}

// Run an ip command inside the child's namespace; answer whether it succeeded.
bool RunIp(const std::string& Arguments)
{
  return std::system(("ip " + Arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// Answer the row of Name in the grid, or 0.
int GridRowOf(const TNetMonitor& Monitor, const std::string& Text)
{
  for (int r = 1; r < Monitor.sgmib.RowCount(); ++r)
    if (Monitor.sgmib.Cell(0, r) == Text)
      return r;
  return 0;
}

// Answer the interface row of Index, or a zeroed row.
MIB_IFROW RowOf(TIpHelperService& Service, uint32_t Index)
{
  TMIBIfArray Rows;
  FetchIfTable(Service, Rows);
  for (const MIB_IFROW& Row : Rows)
    if (Row.dwIndex == Index)
      return Row;
  return MIB_IFROW{};
}

TEST(NetnsTest, VethNamedWan0CountsAsWanAndDefaultRoutesFlipTheConnectedState)
{
  const TObservations Seen = ObserveInNetns([](const std::string& Sysfs, TObservations& Seen) {
    if (!RunIp("link set lo up") || !RunIp("link add wan0 type veth peer name wanpeer0")) {
      Seen["skip"] = "veth links cannot be made in the namespace";
      return;
    }
    TLinuxIpHelper Service(Sysfs);
    TLinuxConnectedState State;
    TNetMonitor Monitor(Service, State);
    const auto Flag = [](bool Value) { return Value ? "true" : "false"; };

    Seen["connected at first"] = Flag(State.InternetGetConnectedState());
    Monitor.CaptureMIBData(true);
    Seen["wan0 shown"] = Flag(GridRowOf(Monitor, "Ethernet wan0") > 0);
    Seen["answer without a route"] = Flag(Monitor.TestInternetLink());
    Seen["WAN without a route"] = Flag(Monitor.WanPresent);

    RunIp("link set wanpeer0 up");
    RunIp("link set wan0 up");
    RunIp("addr add 192.0.2.2/24 dev wan0");
    Seen["route added"] = Flag(RunIp("route add default via 192.0.2.1 dev wan0"));
    Seen["connected with the route"] = Flag(State.InternetGetConnectedState());
    Monitor.CaptureMIBData(true);
    Seen["answer with the route"] = Flag(Monitor.TestInternetLink());
    Seen["WAN with the route"] = Flag(Monitor.WanPresent);
    const uint32_t Wan0 = ::if_nametoindex("wan0");
    Seen["wan0 address"] = Monitor.GetIPFromIFIndex(Wan0);
    const MIB_IFROW Row = RowOf(Service, Wan0);
    Seen["wan0 speed"] = std::to_string(Row.dwSpeed);
    Seen["wan0 status"] = std::to_string(Row.dwAdminStatus) + "/" + std::to_string(Row.dwOperStatus);
    RunIp("route del default");
    Seen["connected after the delete"] = Flag(State.InternetGetConnectedState());

    if (RunIp("-6 addr add 2001:db8::2/64 dev wan0 nodad") && RunIp("-6 route add default via 2001:db8::1 dev wan0")) {
      Seen["connected with the IPv6 route"] = Flag(State.InternetGetConnectedState());
      RunIp("-6 route del default");
      Seen["connected after the IPv6 delete"] = Flag(State.InternetGetConnectedState());
    }

    // The table grows between the size query and the copy.
    uint32_t Size = 0;
    Service.GetIfTable(nullptr, &Size, false);
    RunIp("link add grow0 type veth peer name grow1");
    std::vector<unsigned char> Buffer(Size);
    uint32_t NewSize = Size;
    Seen["grown answer"] = std::to_string(Service.GetIfTable(reinterpret_cast<MIB_IFTABLE*>(Buffer.data()), &NewSize, false));
    Seen["grown by"] = std::to_string(NewSize - Size);
    TMIBIfArray Rows;
    FetchIfTable(Service, Rows);
    Seen["rows after growing"] = std::to_string(Rows.size());
  });
  if (Seen.count("skip"))
    GTEST_SKIP() << Seen.at("skip");
  ASSERT_EQ(Seen.count("error"), 0u) << Seen.at("error");
  const std::map<std::string, std::string> Expected = {
      {"connected at first", "false"},
      {"wan0 shown", "true"},
      {"answer without a route", "false"},
      {"WAN without a route", "true"},
      {"route added", "true"},
      {"connected with the route", "true"},
      {"answer with the route", "true"},
      {"WAN with the route", "true"},
      {"wan0 address", "192.  0.  2.  2"},
      {"wan0 speed", "4294967295"}, // veth says 10000 Mb/s
      {"wan0 status", "1/5"},
      {"connected after the delete", "false"},
      {"grown answer", "122"},
      {"grown by", std::to_string(2 * sizeof(MIB_IFROW))},
      {"rows after growing", "5"},
  };
  for (const auto& [Key, Value] : Expected) {
    ASSERT_EQ(Seen.count(Key), 1u) << Key;
    EXPECT_EQ(Seen.at(Key), Value) << Key;
  }
  if (Seen.count("connected with the IPv6 route")) {
    EXPECT_EQ(Seen.at("connected with the IPv6 route"), "true");
    EXPECT_EQ(Seen.at("connected after the IPv6 delete"), "false");
  } else {
    ADD_FAILURE() << "IPv6 default route could not be added in the namespace";
  }
}

} // namespace
