#include <optional>

#include "TAccountingFixture.h"

namespace {

using TCommandsTest = TAccountingFixture;

const std::string Start = "01/02/2026 10:00:00";
const std::string Now = "05/03/2026 21:07:45";
const char* const PlanCaption = "Fixer le forfait en heures";

std::string PlanPrompt(const std::string& Plan)
{
  return "Le forfait est actuellement de " + Plan + " heures. Entrer la nouvelle valeur (0 pour illimité)";
}

TEST_F(TCommandsTest, SetThePlanAsksWithTheCurrentPlanAndRewritesLineThree)
{
  PutCounter(Start, "100", "5");
  State.PlanHoursText = "99";
  Dialogs.Then({true, "12", nullptr});
  Accounting.Fixerleforfait1Click();
  ASSERT_EQ(Dialogs.Shown.size(), 1u);
  EXPECT_EQ(Dialogs.Shown[0].Kind, "input");
  EXPECT_EQ(Dialogs.Shown[0].Caption, PlanCaption);
  EXPECT_EQ(Dialogs.Shown[0].Text, PlanPrompt("5"));
  EXPECT_EQ(Dialogs.Shown[0].Initial, "5");
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n100\r\n12\r\n");
  EXPECT_EQ(State.PlanHoursText, "12");
  EXPECT_EQ(State.PlanHours, 12);
  EXPECT_EQ(Display.Form1.Label1.Caption, "?") << "the plan command does not reload";
}

TEST_F(TCommandsTest, SetThePlanCancelledOrRefused)
{
  struct TCase {
    std::string Name;
    std::optional<std::string> Counter;
    std::optional<TDialogAnswer> Answer;
    std::string Error;
    size_t Dialogs;
    std::string PlanText;
    int32_t PlanHours;
  };
  const std::string File = Start + "\r\n100\r\n5\r\n";
  const TCase Cases[] = {
      {"cancelled", File, TDialogAnswer{false, "", nullptr}, "", 1, "5", 5},
      {"typed text not whole", File, TDialogAnswer{true, "abc", nullptr}, NotInteger("abc"), 1, "abc", 5},
      {"file missing", std::nullopt, std::nullopt, "Fichier introuvable", 0, "99", 42},
      {"line 3 not whole", Start + "\r\n100\r\nx\r\n", std::nullopt, NotInteger("x"), 0, "x", 42},
      {"line 3 missing", Start + "\r\n100\r\n", std::nullopt, NotInteger(""), 0, "", 42},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    std::filesystem::remove(CounterFileName);
    if (Case.Counter)
      Put(CounterFileName, *Case.Counter);
    State.PlanHoursText = "99";
    State.PlanHours = 42;
    Dialogs.Shown.clear();
    if (Case.Answer)
      Dialogs.Then(*Case.Answer);
    EXPECT_EQ(ErrorOf([&] { Accounting.Fixerleforfait1Click(); }), Case.Error);
    EXPECT_EQ(Dialogs.Shown.size(), Case.Dialogs);
    EXPECT_EQ(State.PlanHoursText, Case.PlanText);
    EXPECT_EQ(State.PlanHours, Case.PlanHours);
    EXPECT_EQ(Get(CounterFileName), Case.Counter ? *Case.Counter : "<missing>") << "the file is not rewritten";
  }
}

TEST_F(TCommandsTest, SetThePlanWritesLinesOneAndTwoBackUnchanged)
{
  for (const std::string Seconds : {"", "junk", "-40"}) {
    SCOPED_TRACE(Seconds);
    PutCounter(Start, Seconds, "5");
    Dialogs.Then({true, "0", nullptr});
    Accounting.Fixerleforfait1Click();
    EXPECT_EQ(Get(CounterFileName), Start + "\r\n" + Seconds + "\r\n0\r\n");
  }
}

TEST_F(TCommandsTest, FoldInWhileThePlanDialogIsOpenIsKept)
{
  PutCounter(Start, "100", "5");
  Accounting.FormClick();
  Tick(true, 20);
  Dialogs.Then({true, "8", [&] { Tick(false); }});
  Accounting.Fixerleforfait1Click();
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n130\r\n8\r\n");
  EXPECT_EQ(State.PlanHours, 8);
  EXPECT_EQ(State.SessionSeconds, 0);
}

TEST_F(TCommandsTest, SetThePlanToZeroStopsTheBlinkingWhereItIs)
{
  PutCounter(Start, "7200", "1");
  Accounting.FormClick();
  Tick(false, 3);
  EXPECT_EQ(Beep.Count, 3);
  const bool Shown = Display.Form1.Shape2.Visible;
  Dialogs.Then({true, "0", nullptr});
  Accounting.Fixerleforfait1Click();
  Tick(false, 3);
  EXPECT_EQ(Beep.Count, 3);
  EXPECT_EQ(Display.Form1.Shape2.Visible, Shown);
}

TEST_F(TCommandsTest, ResetStartsANewCounterAndReloads)
{
  struct TCase {
    std::string Name;
    std::optional<std::string> Counter;
    std::string PlanText;
    bool Answer;
    std::string Error;
    std::string After;
  };
  const std::string Old = Start + "\r\n5000\r\n5\r\n";
  const TCase Cases[] = {
      {"answered Non", Old, "5", false, "", Old},
      {"answered Oui", Old, "5", true, "", Now + "\r\n0\r\n5\r\n"},
      {"plan 0", Old, "0", true, "", Now + "\r\n0\r\n0\r\n"},
      {"file missing", std::nullopt, "3", true, "", Now + "\r\n0\r\n3\r\n"},
      {"plan text not whole", Old, "abc", true, NotInteger("abc"), Old},
      {"plan text empty", Old, "", true, NotInteger(""), Old},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    std::filesystem::remove(CounterFileName);
    if (Case.Counter)
      Put(CounterFileName, *Case.Counter);
    Put(ResetDayFileName, "1\r\n");
    State = TCounterState{};
    State.PlanHoursText = Case.PlanText;
    State.PlanHours = 42;
    Dialogs.Shown.clear();
    Dialogs.Then({Case.Answer, "", nullptr});
    EXPECT_EQ(ErrorOf([&] { Accounting.Rinitialiserlecompteur1Click(); }), Case.Error);
    ASSERT_GE(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, "confirm");
    EXPECT_EQ(Dialogs.Shown[0].Caption, "Confirmation");
    EXPECT_EQ(Dialogs.Shown[0].Text, "Initialiser les valeurs enregistrées");
    EXPECT_EQ(Dialogs.Shown.size(), 1u) << "no reminder after a reset";
    EXPECT_EQ(Get(CounterFileName), Case.After);
    const bool Reset = Case.Answer && Case.Error.empty();
    EXPECT_EQ(State.StartDateText, Reset ? Now : "") << "the reload ran only after a reset";
    EXPECT_EQ(State.PlanHours, Reset ? StrToInt(Case.PlanText) : 42);
    EXPECT_EQ(Names(), (std::vector<std::string>{CounterFileName, ResetDayFileName}));
  }
}

TEST_F(TCommandsTest, ResetDuringAConnectionKeepsTheSessionForTheNewTotal)
{
  PutCounter(Start, "5000", "5");
  Accounting.FormClick();
  Tick(true, 30);
  Dialogs.Then({true, "", nullptr});
  Accounting.Rinitialiserlecompteur1Click();
  EXPECT_EQ(State.TotalH + State.TotalM + State.TotalS, 0);
  EXPECT_EQ(Display.Form1.Label1.Caption, "0h0m0s, depuis " + Now);
  EXPECT_EQ(State.SessionSeconds, 40);
  Tick(true, 5);
  Tick(false);
  EXPECT_EQ(Get(CounterFileName), Now + "\r\n45\r\n5\r\n");
  EXPECT_EQ(Display.Form1.Label1.Caption, "0h0m45s, depuis " + Now);
}

TEST_F(TCommandsTest, ChangeTheResetDayStoresTheTextAndReloads)
{
  struct TCase {
    std::string Name;
    std::optional<std::string> Before;
    TDialogAnswer Answer;
    std::string Error;
    std::string After;
    int32_t ResetDay;
    size_t Reminders;
    std::string Label2;
  };
  const TCase Cases[] = {
      {"typed 12", std::nullopt, {true, "12", nullptr}, "", "12\r\n", 12, 0, "12/2"},
      {"typed 31 over 2", "2\r\n", {true, "31", nullptr}, "", "31\r\n", 31, 0, "31/2"},
      {"typed abc", "2\r\n", {true, "abc", nullptr}, NotInteger("abc"), "abc\r\n", 9, 0, "Label2"},
      {"cancelled", "2\r\n", {false, "", nullptr}, "", "2\r\n", 2, 1, "2/2"},
      {"cancelled, no file", std::nullopt, {false, "", nullptr}, "", "<missing>", 9, 0, "9/2"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    PutCounter(Start, "0", "20");
    std::filesystem::remove(ResetDayFileName);
    if (Case.Before)
      Put(ResetDayFileName, *Case.Before);
    State.ResetDay = 9;
    Display.Form2.Label2.Caption = "Label2";
    Dialogs.Shown.clear();
    Dialogs.Then(Case.Answer);
    EXPECT_EQ(ErrorOf([&] { Accounting.Changer1Click(); }), Case.Error);
    ASSERT_GE(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, "input");
    EXPECT_EQ(Dialogs.Shown[0].Caption, "Entrer le jour de R.A.Z. du compteur");
    EXPECT_EQ(Dialogs.Shown[0].Text, "Entre 1 et 28 sinon forçage en février");
    EXPECT_EQ(Dialogs.Shown[0].Initial, "1");
    EXPECT_EQ(Dialogs.Shown.size(), 1 + Case.Reminders);
    EXPECT_EQ(Get(ResetDayFileName), Case.After);
    EXPECT_EQ(State.ResetDay, Case.ResetDay);
    EXPECT_EQ(Display.Form2.Label2.Caption, Case.Label2) << "the reload runs after OK and Annuler alike";
  }
}

TEST_F(TCommandsTest, ViewTheResetDayShowsTheLineAsStored)
{
  for (const std::string Day : {"1", "abc", ""}) {
    Put(ResetDayFileName, Day + "\r\nrest\r\n");
    Dialogs.Shown.clear();
    Accounting.Voir1Click();
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, "message");
    EXPECT_EQ(Dialogs.Shown[0].Text, "La R.A.Z. du compteur est effectuée tous les " + Day + " du mois");
  }
  EXPECT_EQ(App.HelpShown, 0);
  std::filesystem::remove(ResetDayFileName);
  Accounting.Voir1Click();
  EXPECT_EQ(App.HelpShown, 1);
  EXPECT_EQ(Dialogs.Shown.size(), 1u);
}

TEST_F(TCommandsTest, DialAndHangUpOnlyAsk)
{
  Accounting.Dcrocher1Click();
  Accounting.Raccrocher1Click();
  EXPECT_EQ(Dialler.Calls, (std::vector<std::string>{"dial", "hangup"}));
  EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(TCommandsTest, QuitIsRefusedWhileTheLinkIsShownUp)
{
  PutCounter(Start, "0", "0");
  struct TCase {
    std::optional<bool> Up; // no tick yet when empty
    bool Terminated;
  };
  const TCase Cases[] = {{std::nullopt, true}, {true, false}, {false, true}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Up ? (*Case.Up ? "red" : "green") : "before the first tick");
    if (Case.Up)
      Tick(*Case.Up);
    Dialogs.Shown.clear();
    App = TFakeAppPort{};
    Accounting.Quitter1Click();
    EXPECT_EQ(App.Terminated, Case.Terminated);
    EXPECT_EQ(App.BannerShown, Case.Terminated ? 1 : 0);
    ASSERT_EQ(Dialogs.Shown.size(), Case.Terminated ? 0u : 1u);
    if (!Case.Terminated) {
      EXPECT_EQ(Dialogs.Shown[0].Text, "Impossible en cours de connexion");
    }
  }
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n11\r\n0\r\n") << "quitting writes nothing";
}

} // namespace
