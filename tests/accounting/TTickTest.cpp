#include "TAccountingFixture.h"

namespace {

using TTickTest = TAccountingFixture;

const std::string Start = "01/02/2026 10:00:00";

TEST_F(TTickTest, ConnectionOfNTicksFoldsInNPlusDeadTime)
{
  for (const int n : {1, 2, 75, 3600}) {
    SCOPED_TRACE(n);
    PutCounter(Start, "100", "0");
    State = TCounterState{};
    Accounting.PrepareState();
    Accounting.FormClick();

    Tick(true);
    EXPECT_EQ(Display.Form1.Label8.Caption, "0h0m11s");
    Tick(true, n - 1);
    EXPECT_EQ(State.SessionSeconds, n + 10);
    EXPECT_EQ(State.PreviousLinkState, LinkConnected);
    const TTimeSplit Shown = SplitSeconds(100 + n);
    EXPECT_EQ(Display.Form1.Label1.Caption, IntToStr(Shown.H) + "h" + IntToStr(Shown.M) + "m" + IntToStr(Shown.S) +
                                                "s, depuis " + Start);
    EXPECT_EQ(Get(CounterFileName), Start + "\r\n100\r\n0\r\n") << "nothing is written while connected";

    Tick(false);
    const std::string Folded = Start + "\r\n" + IntToStr(110 + n) + "\r\n0\r\n";
    EXPECT_EQ(Get(CounterFileName), Folded);
    const TTimeSplit Total = SplitSeconds(110 + n);
    EXPECT_EQ(Display.Form1.Label1.Caption, IntToStr(Total.H) + "h" + IntToStr(Total.M) + "m" + IntToStr(Total.S) +
                                                "s, depuis " + Start);
    EXPECT_EQ(Display.Form1.Label8.Caption, "Déconnecté");
    EXPECT_EQ(State.SessionSeconds, 0);
    EXPECT_EQ(State.PreviousLinkState, LinkDisconnected);
    EXPECT_EQ(State.TotalSeconds, 110 + n);

    Tick(false);
    EXPECT_EQ(Get(CounterFileName), Folded) << "a second disconnected tick folds nothing in";
  }
}

TEST_F(TTickTest, EndOfTickDisplayFollowsTheLink)
{
  PutCounter(Start, "0", "0");
  Accounting.FormClick();
  EXPECT_TRUE(Display.Form1.Dcrocher1.Enabled);
  EXPECT_TRUE(Display.Form1.Raccrocher1.Enabled);

  struct TCase {
    bool Up;
    int32_t Color, SmallFore, SmallBack, BigFore, BigBack;
    bool Dial, HangUp;
  };
  const TCase Cases[] = {
      {true, clRed, clYellow, clRed, clRed, clYellow, false, true},
      {false, clGreen, clGreen, clGreen, clRed, clOlive, true, false},
      {true, clRed, clYellow, clRed, clRed, clYellow, false, true},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Up);
    Tick(Case.Up);
    const TForm1Display& Form1 = Display.Form1;
    EXPECT_EQ(Form1.Color, Case.Color);
    EXPECT_EQ(Form1.Shape1.BrushColor, Case.Color);
    EXPECT_EQ(Form1.Gauge1.ForeColor, Case.SmallFore);
    EXPECT_EQ(Form1.Gauge1.BackColor, Case.SmallBack);
    EXPECT_EQ(Display.Form3.Gauge1.ForeColor, Case.BigFore) << "link down leaves the fore colour as last set";
    EXPECT_EQ(Display.Form3.Gauge1.BackColor, Case.BigBack);
    EXPECT_EQ(Form1.Dcrocher1.Enabled, Case.Dial);
    EXPECT_EQ(Form1.Raccrocher1.Enabled, Case.HangUp);
  }
}

TEST_F(TTickTest, SecondsAndMinutesCarry)
{
  struct TCase {
    int32_t H, M, S, Session;
    int32_t WantH, WantM, WantS;
    std::string Label8;
  };
  const TCase Cases[] = {
      {0, 0, 58, 20, 0, 0, 59, "0h0m21s"},    {0, 0, 59, 58, 0, 1, 0, "0h0m59s"},
      {0, 59, 59, 59, 1, 0, 0, "0h1m0s"},     {7, 59, 0, 3598, 7, 59, 1, "0h59m59s"},
      {2, 59, 59, 3599, 3, 0, 0, "1h0m0s"},   {0, 12, 59, 35999, 0, 13, 0, "10h0m0s"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Label8);
    State.TotalH = Case.H;
    State.TotalM = Case.M;
    State.TotalS = Case.S;
    State.SessionSeconds = Case.Session;
    State.PreviousLinkState = LinkConnected;
    Tick(true);
    EXPECT_EQ(State.TotalH, Case.WantH);
    EXPECT_EQ(State.TotalM, Case.WantM);
    EXPECT_EQ(State.TotalS, Case.WantS);
    EXPECT_EQ(Display.Form1.Label8.Caption, Case.Label8);
  }
}

TEST_F(TTickTest, PlanCheckBeepsAndBlinksOnceUsedUp)
{
  struct TCase {
    int32_t Plan, H;
    bool ShownBefore;
    int Beeps;
    bool ShownAfter;
  };
  const TCase Cases[] = {
      {2, 1, true, 0, false}, // within the plan: hidden
      {2, 2, false, 1, true}, // used up: blinks
      {2, 2, true, 1, false}, {2, 9, false, 1, true},
      {-1, 0, false, 1, true}, // a negative plan counts as used up at once
      {0, 50, true, 0, true},  // unlimited: left alone
      {0, 50, false, 0, false},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(testing::Message() << Case.Plan << " " << Case.H << " " << Case.ShownBefore);
    State.PlanHours = Case.Plan;
    State.TotalH = Case.H;
    Display.Form1.Shape2.Visible = Case.ShownBefore;
    Beep.Count = 0;
    Tick(false);
    EXPECT_EQ(Beep.Count, Case.Beeps);
    EXPECT_EQ(Display.Form1.Shape2.Visible, Case.ShownAfter);
  }
}

TEST_F(TTickTest, OverrunStartsTheTickAfterTheTotalReachesThePlan)
{
  PutCounter(Start, "7199", "2");
  Accounting.FormClick();
  Tick(true);
  EXPECT_EQ(Beep.Count, 0);
  EXPECT_EQ(State.TotalH, 2);
  std::vector<bool> Blink;
  for (int i = 0; i < 4; ++i) {
    Tick(true);
    Blink.push_back(Display.Form1.Shape2.Visible);
  }
  EXPECT_EQ(Beep.Count, 4);
  EXPECT_EQ(Blink, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(Display.Form1.Label1.Caption, "2h0m4s, depuis " + Start) << "the time text replaces the warning";
}

TEST_F(TTickTest, ThroughputSumsColumnsThreeAndSix)
{
  struct TCase {
    std::vector<std::pair<std::string, std::string>> Rows;
    std::string Text;
  };
  const TCase Cases[] = {
      {{}, "0"},
      {{{"100", "200"}}, "300"},
      {{{"100", "200"}, {"5", ""}, {"", "7"}}, "300"},
      {{{"0", "0"}, {"40", "2"}}, "42"},
      {{{"2147483647", "2147483647"}, {"2147483647", "1"}}, "6442450942"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Text);
    for (int Row = 1; Row < Monitor.sgmib.RowCount(); ++Row)
      for (const int Col : {3, 6})
        Monitor.sgmib.SetCell(Col, Row, "");
    for (size_t i = 0; i < Case.Rows.size(); ++i) {
      Monitor.sgmib.SetCell(3, int(i) + 1, Case.Rows[i].first);
      Monitor.sgmib.SetCell(6, int(i) + 1, Case.Rows[i].second);
    }
    Tick(false);
    EXPECT_EQ(Display.Form2.Label1.Caption, Case.Text);
    EXPECT_EQ(Display.Form1.Label2.Caption, Case.Text);
    EXPECT_EQ(Display.Form3.Gauge1.Progress, 0) << "link down empties the enlarged gauge";
    EXPECT_EQ(Display.Form3.Gauge1.MaxValue, 100);
  }
}

TEST_F(TTickTest, EnlargedGaugeGrowsItsMaximumAndRejectsFiguresPast32Bits)
{
  PutCounter(Start, "0", "0");
  Accounting.FormClick();
  struct TCase {
    std::string In, Out;
    int32_t Max, Progress;
  };
  const TCase Cases[] = {{"30", "20", 100, 50}, {"200", "50", 250, 250}, {"40", "0", 250, 40},
                         {"2147483647", "0", 2147483647, 2147483647}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.In);
    Monitor.sgmib.SetCell(3, 1, Case.In);
    Monitor.sgmib.SetCell(6, 1, Case.Out);
    Tick(true);
    EXPECT_EQ(Display.Form3.Gauge1.MaxValue, Case.Max);
    EXPECT_EQ(Display.Form3.Gauge1.Progress, Case.Progress);
  }

  Monitor.sgmib.SetCell(3, 1, "2147483647");
  Monitor.sgmib.SetCell(6, 1, "1");
  Display.Form3.Gauge1.SetMaxValue(100);
  const int32_t Session = State.SessionSeconds;
  EXPECT_EQ(ErrorOf([&] { Tick(true); }), "Erreur de vérification d'étendue");
  EXPECT_EQ(Display.Form1.Label2.Caption, "2147483648");
  EXPECT_EQ(State.SessionSeconds, Session + 1) << "what came before the gauges stays done";
  EXPECT_EQ(Display.Form1.Label8.Caption, "0h0m" + IntToStr(Session + 1) + "s");
  EXPECT_EQ(Display.Form3.Gauge1.MaxValue, 100);

  Monitor.sgmib.SetCell(3, 1, "2147483647");
  Monitor.sgmib.SetCell(6, 1, "1");
  EXPECT_EQ(ErrorOf([&] { Tick(false); }), "") << "link down sets the figure to 0 before the gauges";
  EXPECT_EQ(Display.Form1.Label2.Caption, "2147483648");
  EXPECT_EQ(Display.Form3.Gauge1.Progress, 0);
}

TEST_F(TTickTest, TrayIconRunsThroughThreeFramesAndResumes)
{
  PutCounter(Start, "0", "0");
  std::vector<int32_t> Frames;
  for (const bool Up : {true, true, true, true, false, true, true}) {
    Tick(Up);
    Frames.push_back(Display.Form1.TrayIcon);
  }
  EXPECT_EQ(Frames, (std::vector<int32_t>{0, 1, 2, 0, ApplicationIcon, 1, 2}));
}

TEST_F(TTickTest, LinkNeedsBothTheConnectedStateAndAWanAdapter)
{
  struct TCase {
    std::string Adapter;
    bool Connected;
    int32_t Color;
  };
  const TCase Cases[] = {{"WAN Miniport", true, clRed}, {"WAN Miniport", false, clGreen},
                         {"Ethernet", true, clGreen},   {"wAN", true, clGreen}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Adapter);
    Monitor.sgmib.SetCell(0, 2, Case.Adapter);
    Connected.Connected = Case.Connected;
    State.PreviousLinkState = LinkDisconnected;
    State.SessionSeconds = 0;
    Accounting.Timer1Timer();
    EXPECT_EQ(Display.Form1.Color, Case.Color);
    Monitor.sgmib.SetCell(0, 2, "WAN Miniport");
  }
}

TEST_F(TTickTest, FailedFoldInKeepsTheSessionForTheRetry)
{
  PutCounter(Start, "100", "0");
  Accounting.FormClick();
  Tick(true, 5);
  ASSERT_EQ(::rename(CounterFileName, "aside"), 0);
  EXPECT_EQ(ErrorOf([&] { Tick(false); }), "Fichier introuvable");
  EXPECT_EQ(State.SessionSeconds, 15);
  EXPECT_EQ(State.PreviousLinkState, LinkConnected);
  EXPECT_EQ(Display.Form1.Label1.Caption, "0h1m45s, depuis " + Start) << "totals wait for the file";
  EXPECT_EQ(Get(CounterFileName), "<missing>") << "the fold-in does not create the file";

  Tick(true);
  EXPECT_EQ(State.SessionSeconds, 16) << "the same session goes on, without a new dead time";
  ASSERT_EQ(::rename("aside", CounterFileName), 0);
  Tick(false);
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n116\r\n0\r\n");
  EXPECT_EQ(Display.Form1.Label1.Caption, "0h1m56s, depuis " + Start);
}

TEST_F(TTickTest, FoldInSessionAtTerminationWritesOnlyAnOpenSession)
{
  EXPECT_EQ(ErrorOf([&] { Accounting.FoldInSession(); }), "");
  EXPECT_EQ(Get(CounterFileName), "<missing>");
  PutCounter(Start, "100", "0");
  Tick(true, 3);
  Accounting.FoldInSession();
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n113\r\n0\r\n");
  EXPECT_EQ(State.SessionSeconds, 0);
  EXPECT_EQ(State.PreviousLinkState, LinkDisconnected);
  Accounting.FoldInSession();
  EXPECT_EQ(Get(CounterFileName), Start + "\r\n113\r\n0\r\n");
}

} // namespace

namespace {

TEST_F(TTickTest, EachSituationOfTheFoldIn)
{
  struct TCase {
    std::string Name;
    std::string Counter;
    std::string Error;
    std::string After; // the file after the tick
    std::string Seconds, Plan;
    int32_t PlanHours;
  };
  const std::string S = Start;
  const TCase Cases[] = {
      {"line 2 empty", S + "\r\n\r\n5\r\n", "", S + "\r\n30\r\n5\r\n", "0", "5", 5},
      {"line 2 not whole", S + "\r\nabc\r\n5\r\n", NotInteger("abc"), "", "abc", "5", 5},
      {"line 3 missing", S + "\r\n100\r\n", NotInteger(""), "", "100", "", 42},
      {"line 3 not whole", S + "\r\n100\r\nx\r\n", NotInteger("x"), "", "100", "x", 42},
      {"sum past 32 bits", S + "\r\n2147483620\r\n5\r\n", "Débordement d'entier", "", "2147483620", "5", 5},
      {"largest total", S + "\r\n2147483617\r\n5\r\n", "", S + "\r\n2147483647\r\n5\r\n", "2147483617", "5", 5},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Put(CounterFileName, Case.Counter);
    Put(ResetDayFileName, "abc\r\n");
    State = TCounterState{};
    State.PreviousLinkState = LinkConnected;
    State.SessionSeconds = 30;
    State.PlanHours = 42;
    State.TotalM = 1;
    State.TotalS = 40;
    EXPECT_EQ(ErrorOf([&] { Tick(false); }), Case.Error) << "the reset-day file is not read";
    EXPECT_EQ(State.StartDateText, S);
    EXPECT_EQ(State.TotalSecondsText, Case.Seconds);
    EXPECT_EQ(State.PlanHoursText, Case.Plan);
    EXPECT_EQ(State.PlanHours, Case.PlanHours);
    const bool Failed = !Case.Error.empty();
    EXPECT_EQ(Get(CounterFileName), Failed ? Case.Counter : Case.After);
    EXPECT_EQ(State.SessionSeconds, Failed ? 30 : 0);
    EXPECT_EQ(State.PreviousLinkState, Failed ? LinkConnected : LinkDisconnected);
    if (Failed) {
      EXPECT_EQ(State.TotalM * 60 + State.TotalS, 100) << "the shown total waits for the file";
    }
  }
}

TEST_F(TTickTest, SessionPast32BitsRaisesTheOverflow)
{
  State.PreviousLinkState = LinkConnected;
  State.SessionSeconds = 2147483647;
  EXPECT_EQ(ErrorOf([&] { Tick(true); }), "Débordement d'entier");
  EXPECT_EQ(State.SessionSeconds, 2147483647);
  EXPECT_EQ(Display.Form1.Color, clRed) << "the steps before the failing one stay done";
}

} // namespace
