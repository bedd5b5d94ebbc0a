#pragma once
#include <memory>
#include <string>

#include "TCommandRunner.h"
#include "TDialler.h"

// Connection types that NetworkManager dials over a modem or a PPP link.
inline constexpr const char* DialupTypes[] = {"gsm", "cdma", "pppoe", "bluetooth"};

// Answer the name of the first dial-up connection in the terse NAME:TYPE
// listing of nmcli, or an empty text when there is none.
std::string PickDialupConnection(const std::string& Listing);
// Dial the default connection now, waiting for the tools: nmcli when
// NetworkManager runs and knows a dial-up connection, pon otherwise.
void DialNow(TCommandRunner& Runner);
// Hang up now, waiting for the tools: nmcli on an active dial-up connection
// when NetworkManager runs and has one, poff otherwise.
void HangUpNow(TCommandRunner& Runner);

// Dialler that asks the system's own tools, each request on a detached
// worker, so the caller never waits; results are ignored.
class TLinuxDialler : public TDialler {
public:
  // Run the tools through Runner, shared with the workers still running.
  explicit TLinuxDialler(std::shared_ptr<TCommandRunner> Runner);
  // Start dialling in the background.
  void InternetAutodial() override;
  // Start hanging up in the background.
  void InternetAutodialHangup() override;

private:
  std::shared_ptr<TCommandRunner> FRunner;
};
