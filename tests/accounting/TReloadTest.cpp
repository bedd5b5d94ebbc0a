#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>

#include "TAccountingFixture.h"

namespace {

using TReloadTest = TAccountingFixture;

const char* const Reminder =
    "Demander la réinitialisation du compteur car la date de forfait est dépassée de plus d'un mois";

TEST_F(TReloadTest, FirstRunCreatesTheCounterAndShowsHelp)
{
  Accounting.FormClick();
  EXPECT_EQ(Get(CounterFileName), "05/03/2026 21:07:45\r\n0\r\n1\r\n");
  EXPECT_EQ(Get(ResetDayFileName), "<missing>");
  EXPECT_EQ(State.StartDateText, "05/03/2026 21:07:45");
  EXPECT_EQ(State.TotalSecondsText, "0");
  EXPECT_EQ(State.PlanHoursText, "1");
  EXPECT_EQ(State.PlanHours, 1);
  EXPECT_EQ(State.TotalH + State.TotalM + State.TotalS, 0);
  EXPECT_EQ(State.StartMonth, 3);
  EXPECT_EQ(State.ResetDay, 0);
  EXPECT_EQ(App.HelpShown, 1);
  EXPECT_TRUE(Dialogs.Shown.empty()) << "the start month is this month: no reminder";
  EXPECT_EQ(Display.Form2.Label2.Caption, "0/3");
  EXPECT_EQ(Display.Form1.Label1.Caption, "?") << "before the first tick the colour is neither red nor green";
  EXPECT_EQ(Display.Form1.Label8.Caption, "Déconnecté");
}

TEST_F(TReloadTest, ReminderNeedsALaterMonthALaterDayAndAPlan)
{
  struct TCase {
    std::string Start;
    std::optional<std::string> ResetDay;
    std::string Plan;
    int Year, Month, Day;
    bool Reminder;
    std::string Label2;
  };
  const std::string March = "05/03/2003 21:07:45";
  const TCase Cases[] = {
      {March, "5", "20", 2003, 4, 6, true, "5/3"},
      {March, "5", "20", 2003, 12, 31, true, "5/3"},
      {March, "5", "20", 1990, 6, 28, true, "5/3"},
      {March, "5", "20", 2004, 1, 6, false, "5/3"},
      {March, "5", "20", 2004, 2, 28, false, "5/3"},
      {March, "5", "20", 2003, 3, 31, false, "5/3"},
      {March, "5", "20", 2003, 4, 5, false, "5/3"},
      {March, "5", "20", 2003, 9, 1, false, "5/3"},
      {March, "5", "0", 2003, 4, 6, false, "5/3"},
      {March, "5", "-3", 2003, 4, 6, true, "5/3"},
      {"01/12/2003 08:00:00", "5", "20", 2003, 12, 31, false, "5/12"},
      {March, std::nullopt, "20", 2003, 4, 1, true, "0/3"},
      {March, "31", "20", 2003, 12, 31, false, "31/3"},
      {"05.03.2003 21:07:45", "5", "20", 2003, 6, 6, true, "5/5"},
      {"05.03.2003 21:07:45", "5", "20", 2003, 5, 20, false, "5/5"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(testing::Message() << Case.Start << " plan " << Case.Plan << " on " << Case.Day << "/"
                                    << Case.Month);
    PutCounter(Case.Start, "0", Case.Plan);
    std::filesystem::remove(ResetDayFileName);
    if (Case.ResetDay)
      Put(ResetDayFileName, *Case.ResetDay + "\r\n");
    State = TCounterState{};
    Dialogs.Shown.clear();
    Clock.Time = {Case.Year, Case.Month, Case.Day, 12, 0, 0};
    Accounting.FormClick();
    ASSERT_EQ(Dialogs.Shown.size(), Case.Reminder ? 1u : 0u);
    if (Case.Reminder) {
      EXPECT_EQ(Dialogs.Shown[0].Kind, "message");
      EXPECT_EQ(Dialogs.Shown[0].Text, Reminder);
    }
    EXPECT_EQ(Display.Form2.Label2.Caption, Case.Label2);
  }
}

TEST_F(TReloadTest, EachSituationStopsTheReloadWhereItShould)
{
  struct TCase {
    std::string Name;
    std::optional<std::string> Counter, ResetDay;
    std::string Error;
    std::string Start, Seconds, Plan;
    int32_t PlanHours;
    std::string Label2;
    int Help;
  };
  const std::string S = "01/02/2026 10:00:00";
  const TCase Cases[] = {
      {"counter missing", std::nullopt, std::nullopt, "", "05/03/2026 21:07:45", "0", "1", 1, "9/3", 1},
      {"line 2 empty", S + "\r\n\r\n0\r\n", "4", NotInteger(""), S, "", "0", 0, "Label2", 0},
      {"line 2 not whole", S + "\r\n12a\r\n0\r\n", "4", NotInteger("12a"), S, "12a", "0", 0, "Label2", 0},
      {"line 3 missing", S + "\r\n5\r\n", "4", NotInteger(""), S, "5", "", 42, "Label2", 0},
      {"line 3 not whole", S + "\r\n5\r\nx\r\n", "4", NotInteger("x"), S, "5", "x", 42, "Label2", 0},
      {"line 3 out of range", S + "\r\n5\r\n2147483648\r\n", "4", NotInteger("2147483648"), S, "5", "2147483648", 42,
       "Label2", 0},
      {"reset day missing", S + "\r\n5\r\n0\r\n", std::nullopt, "", S, "5", "0", 0, "9/2", 1},
      {"reset day not whole", S + "\r\n5\r\n7\r\n", "abc", NotInteger("abc"), S, "5", "7", 7, "Label2", 0},
      {"reset day empty", S + "\r\n5\r\n7\r\n", "", NotInteger(""), S, "5", "7", 7, "Label2", 0},
      {"reset day 31", S + "\r\n5\r\n7\r\n", "31", "", S, "5", "7", 7, "31/2", 0},
      {"one-digit month", "1/2/2026 10:00\r\n5\r\n0\r\n", std::nullopt, NotInteger("2/"), "1/2/2026 10:00", "5", "0",
       0, "Label2", 0},
      {"empty start", "\r\n5\r\n0\r\n", std::nullopt, NotInteger(""), "", "5", "0", 0, "Label2", 0},
      {"dotted start", "05.03.2026 10:00\r\n5\r\n0\r\n", std::nullopt, "", "05.03.2026 10:00", "5", "0", 0, "9/5", 1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    std::filesystem::remove(CounterFileName);
    std::filesystem::remove(ResetDayFileName);
    if (Case.Counter)
      Put(CounterFileName, *Case.Counter);
    if (Case.ResetDay)
      Put(ResetDayFileName, *Case.ResetDay + "\r\n");
    State = TCounterState{};
    State.PlanHours = 42;
    State.ResetDay = 9;
    Display.Form2.Label2.Caption = "Label2";
    App.HelpShown = 0;
    const int Descriptors = OpenDescriptors();
    EXPECT_EQ(ErrorOf([&] { Accounting.FormClick(); }), Case.Error);
    EXPECT_EQ(OpenDescriptors(), Descriptors) << "no file is left open";
    EXPECT_EQ(State.StartDateText, Case.Start);
    EXPECT_EQ(State.TotalSecondsText, Case.Seconds);
    EXPECT_EQ(State.PlanHoursText, Case.Plan);
    EXPECT_EQ(State.PlanHours, Case.PlanHours);
    EXPECT_EQ(Display.Form2.Label2.Caption, Case.Label2);
    EXPECT_EQ(App.HelpShown, Case.Help);
    EXPECT_TRUE(Dialogs.Shown.empty());
    if (Case.Counter) {
      EXPECT_EQ(Get(CounterFileName), *Case.Counter) << "the reload never rewrites a file it found";
    }
  }
}

TEST_F(TReloadTest, BannerTextsFollowTheWindowColour)
{
  const std::string Start = "01/02/2026 10:00:00  ";
  PutCounter(Start, "3725", "0");
  Accounting.FormClick();
  Tick(true, 2);
  Accounting.FormClick();
  EXPECT_EQ(Display.Form1.Label1.Caption, "1h2m5s, depuis " + Start) << "the running session is not shown";
  EXPECT_EQ(Display.Form1.Label8.Caption, "");
  EXPECT_EQ(State.SessionSeconds, 12);
  Tick(false);
  EXPECT_EQ(Display.Form1.Label1.Caption, "1h2m17s, depuis 01/02/2026 10:00:00");
  Display.Form1.Label8.Caption = "x";
  Accounting.FormClick();
  EXPECT_EQ(Display.Form1.Label1.Caption, "1h2m17s, depuis 01/02/2026 10:00:00");
  EXPECT_EQ(Display.Form1.Label8.Caption, "Déconnecté");
}

TEST_F(TReloadTest, JunkAndHugeFilesAreReadWithinBounds)
{
  // A sparse file of 256 MiB of NUL bytes without any line end.
  {
    const int Fd = ::open(CounterFileName, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(Fd, 0);
    ASSERT_EQ(::ftruncate(Fd, off_t(1) << 28), 0);
    ::close(Fd);
  }
  EXPECT_EQ(ErrorOf([&] { Accounting.FormClick(); }), NotInteger(""));
  EXPECT_EQ(State.StartDateText, std::string(MaxLineBytes, '\0'));

  // One long line of a two-byte character, then the two numbers.
  Put(CounterFileName, std::string(10 << 20, '\xE9') + "\r\n5\r\n0\r\n");
  EXPECT_EQ(ErrorOf([&] { Accounting.FormClick(); }), NotInteger("éé"));
  EXPECT_EQ(State.TotalSecondsText, "5");
  std::string Expected;
  for (size_t i = 0; i < MaxLineBytes; ++i)
    Expected += "é";
  EXPECT_EQ(State.StartDateText, Expected);

  // Random bytes: every operation reports an error, none crashes.
  std::mt19937 Random(7);
  std::string Junk(1 << 20, '\0');
  for (char& c : Junk)
    c = static_cast<char>(Random());
  Put(CounterFileName, Junk);
  Put(ResetDayFileName, Junk);
  EXPECT_NE(ErrorOf([&] { Accounting.FormClick(); }), "");
  State.PreviousLinkState = LinkConnected;
  State.SessionSeconds = 20;
  EXPECT_NE(ErrorOf([&] { Tick(false); }), "");
  EXPECT_EQ(State.SessionSeconds, 20);
  EXPECT_NE(ErrorOf([&] { Accounting.Fixerleforfait1Click(); }), "");
  for (const std::string* Text : {&State.StartDateText, &State.TotalSecondsText, &State.PlanHoursText})
    EXPECT_LE(Text->size(), 3 * MaxLineBytes);
  EXPECT_EQ(Get(CounterFileName), Junk) << "nothing rewrote the file";
}

} // namespace
