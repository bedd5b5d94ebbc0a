#pragma once
#include "TAppPort.h"
#include "TBeep.h"
#include "TClock.h"
#include "TCounterState.h"
#include "TCounterStore.h"
#include "TDialler.h"
#include "TDialogs.h"
#include "TDisplay.h"
#include "TNetMonitor.h"

// The connection accounting: the one-second tick, the counter reload and the
// user's commands, over the accounting state and the display records.
class TAccounting {
public:
  // Bind the accounting to its state, display records and ports.
  TAccounting(TCounterState& State, TDisplay& Display, TNetMonitor& Monitor, TClock& Clock, TDialogs& Dialogs,
              TBeep& Beep, TDialler& Dialler, TAppPort& App);

  // Prepare the state for the first tick: IconFrame 0, no session, link "Déconnecté".
  void PrepareState();
  // Run one accounting tick.
  void Timer1Timer();
  // Reload the counter and show the monthly reminder when due.
  void FormClick();
  // Fold the running session into the counter file when one is open (used at termination).
  void FoldInSession();

  // "Réinitialiser le compteur".
  void Rinitialiserlecompteur1Click();
  // "Fixer le forfait".
  void Fixerleforfait1Click();
  // "Jour de R.A.Z." / "Changer".
  void Changer1Click();
  // "Jour de R.A.Z." / "Voir".
  void Voir1Click();
  // "Décrocher".
  void Dcrocher1Click();
  // "Raccrocher".
  void Raccrocher1Click();
  // "Quitter".
  void Quitter1Click();

private:
  // Add the session's seconds to the counter file and show the new total.
  void FoldIn();

  TCounterState& FState;
  TDisplay& FDisplay;
  TNetMonitor& FMonitor;
  TClock& FClock;
  TDialogs& FDialogs;
  TBeep& FBeep;
  TDialler& FDialler;
  TAppPort& FApp;
};
