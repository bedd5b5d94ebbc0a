#pragma once
#include <cstdint>
#include <string>

// Link state texts held in PreviousLinkState.
inline constexpr const char* LinkConnected = "Connecté";
inline constexpr const char* LinkDisconnected = "Déconnecté";

// The accounting state; the program has one instance, CounterState.
struct TCounterState {
  int32_t IconFrame = 0;
  std::string StartDateText;
  std::string TotalSecondsText;
  int32_t TotalSeconds = 0;
  std::string PreviousLinkState;
  int32_t SessionSeconds = 0;
  int32_t TotalH = 0;
  int32_t TotalM = 0;
  int32_t TotalS = 0;
  int32_t SessionH = 0;
  int32_t SessionM = 0;
  int32_t SessionS = 0;
  int32_t ResetDay = 0;
  int32_t StartMonth = 0;
  int32_t PlanHours = 0;
  std::string PlanHoursText;
};

// The program-wide accounting state.
extern TCounterState CounterState;
