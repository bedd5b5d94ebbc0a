#include "TAccounting.h"

#include <cstdio>

#include "CheckedInt.h"
#include "Convert.h"

namespace {

const char* const PlanWarning = "Attention Dépassement Forfait !";
const char* const ReminderText =
    "Demander la réinitialisation du compteur car la date de forfait est dépassée de plus d'un mois";
const char* const ResetQuestion = "Initialiser les valeurs enregistrées";
const char* const PlanCaption = "Fixer le forfait en heures";
const char* const ResetDayCaption = "Entrer le jour de R.A.Z. du compteur";
const char* const ResetDayPrompt = "Entre 1 et 28 sinon forçage en février";
const char* const QuitRefused = "Impossible en cours de connexion";

// Write the cumulative time and the counting start as the banner shows them.
std::string TotalText(const TCounterState& State)
{
  return IntToStr(State.TotalH) + "h" + IntToStr(State.TotalM) + "m" + IntToStr(State.TotalS) + "s, depuis " +
         State.StartDateText;
}

// Write a whole, non-negative figure as plain decimal digits.
std::string FigureText(double Figure)
{
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.0f", Figure);
  return Text;
}

} // namespace

TAccounting::TAccounting(TCounterState& State, TDisplay& Display, TNetMonitor& Monitor, TClock& Clock,
                         TDialogs& Dialogs, TBeep& Beep, TDialler& Dialler, TAppPort& App)
    : FState(State), FDisplay(Display), FMonitor(Monitor), FClock(Clock), FDialogs(Dialogs), FBeep(Beep),
      FDialler(Dialler), FApp(App)
{
}

void TAccounting::PrepareState()
{
  FState.IconFrame = 0;
  FState.SessionSeconds = 0;
  FState.PreviousLinkState = LinkDisconnected;
}

void TAccounting::Timer1Timer()
{
  TForm1Display& Form1 = FDisplay.Form1;
  TGaugeState& BigGauge = FDisplay.Form3.Gauge1;

  // Plan check, on the hours the previous tick left.
  if (FState.PlanHours != 0) {
    if (FState.TotalH < FState.PlanHours) {
      Form1.Shape2.Visible = false;
    } else {
      FBeep.Beep();
      Form1.Shape2.Visible = !Form1.Shape2.Visible;
      Form1.Label1.Caption = PlanWarning;
    }
  }

  // Throughput of the last second, from the grid as the previous tick left it.
  double Figure = 0;
  const TStringGrid& Grid = FMonitor.sgmib;
  for (int Row = 1; Row < Grid.RowCount(); ++Row) {
    const std::string& In = Grid.Cell(3, Row);
    const std::string& Out = Grid.Cell(6, Row);
    if (!In.empty() && !Out.empty()) {
      Figure += StrToInt(In);
      Figure += StrToInt(Out);
    }
  }
  FDisplay.Form2.Label1.Caption = FigureText(Figure);
  Form1.Label2.Caption = FDisplay.Form2.Label1.Caption;

  const bool LinkUp = FMonitor.TestInternetLink() && FMonitor.WanPresent;
  if (LinkUp) {
    FMonitor.CaptureMIBData(false);
    Form1.Raccrocher1.Enabled = true;
    Form1.Dcrocher1.Enabled = false;
    Form1.Gauge1.ForeColor = clYellow;
    Form1.Gauge1.BackColor = clRed;
    if (FState.PreviousLinkState == LinkDisconnected) {
      FState.PreviousLinkState = LinkConnected;
      FState.SessionSeconds = CheckedAdd(FState.SessionSeconds, 10);
    }
    Form1.Color = clRed;
    Form1.Shape1.BrushColor = clRed;
    Form1.TrayIcon = FState.IconFrame;
    FState.IconFrame = FState.IconFrame >= 2 ? 0 : FState.IconFrame + 1;
    FState.SessionSeconds = CheckedAdd(FState.SessionSeconds, 1);
    FState.TotalS = CheckedAdd(FState.TotalS, 1);
    if (FState.TotalS == 60) {
      FState.TotalM = CheckedAdd(FState.TotalM, 1);
      FState.TotalS = 0;
    }
    if (FState.TotalM == 60) {
      FState.TotalH = CheckedAdd(FState.TotalH, 1);
      FState.TotalM = 0;
    }
  } else {
    FMonitor.CaptureMIBData(true);
    Figure = 0;
    Form1.Dcrocher1.Enabled = true;
    Form1.Raccrocher1.Enabled = false;
    Form1.Gauge1.ForeColor = clLime;
    Form1.Gauge1.BackColor = clGreen;
    Form1.Shape1.BrushColor = clGreen;
    Form1.Color = clGreen;
    Form1.TrayIcon = ApplicationIcon;
    if (FState.PreviousLinkState == LinkConnected)
      FoldIn();
  }

  const TTimeSplit Session = SplitSeconds(FState.SessionSeconds);
  FState.SessionH = Session.H;
  FState.SessionM = Session.M;
  FState.SessionS = Session.S;

  if (Form1.Color == clRed)
    Form1.Label1.Caption = TotalText(FState);
  if (Form1.Color == clRed)
    Form1.Label8.Caption =
        IntToStr(FState.SessionH) + "h" + IntToStr(FState.SessionM) + "m" + IntToStr(FState.SessionS) + "s";
  if (Form1.Color == clGreen)
    Form1.Label1.Caption = Trim(TotalText(FState));
  if (Form1.Color == clGreen)
    Form1.Label8.Caption = LinkDisconnected;

  const bool Red = Form1.Shape1.BrushColor == clRed;
  if (Red)
    BigGauge.ForeColor = clRed;
  else
    Form1.Gauge1.ForeColor = clGreen;
  BigGauge.BackColor = Red ? clYellow : clOlive;
  if (BigGauge.MaxValue < Figure)
    BigGauge.SetMaxValue(CheckedRange(Figure));
  BigGauge.SetProgress(CheckedRange(Figure));
}

void TAccounting::FoldIn()
{
  const TCounterLines Lines = ReadCounterFile();
  FState.StartDateText = Lines.StartDate;
  FState.TotalSecondsText = Lines.TotalSeconds;
  FState.PlanHoursText = Lines.PlanHours;
  FState.PlanHours = StrToInt(FState.PlanHoursText);
  if (FState.TotalSecondsText.empty())
    FState.TotalSecondsText = "0";
  FState.TotalSeconds = CheckedAdd(StrToInt(FState.TotalSecondsText), FState.SessionSeconds);
  const TTimeSplit Total = SplitSeconds(FState.TotalSeconds);
  // The session stays open until its seconds are safely on disk, so a failed
  // rewrite is retried with the same seconds on the next disconnected tick.
  WriteCounterFile({FState.StartDateText, IntToStr(FState.TotalSeconds), FState.PlanHoursText});
  FState.TotalH = Total.H;
  FState.TotalM = Total.M;
  FState.TotalS = Total.S;
  FState.SessionSeconds = 0;
  FState.PreviousLinkState = LinkDisconnected;
}

void TAccounting::FoldInSession()
{
  if (FState.PreviousLinkState == LinkConnected)
    FoldIn();
}

void TAccounting::FormClick()
{
  if (CounterFileExists()) {
    const TCounterLines Lines = ReadCounterFile();
    FState.StartDateText = Lines.StartDate;
    FState.TotalSecondsText = Lines.TotalSeconds;
    FState.PlanHoursText = Lines.PlanHours;
    FState.PlanHours = StrToInt(FState.PlanHoursText);
  } else {
    const std::string Now = NowText(FClock);
    WriteCounterFile({Now, "0", "1"});
    FState.StartDateText = Now;
    FState.TotalSecondsText = "0";
    FState.PlanHoursText = "1";
    FState.PlanHours = 1;
  }

  const TTimeSplit Total = SplitSeconds(StrToInt(FState.TotalSecondsText));
  FState.TotalH = Total.H;
  FState.TotalM = Total.M;
  FState.TotalS = Total.S;

  TForm1Display& Form1 = FDisplay.Form1;
  if (Form1.Color == clRed)
    Form1.Label1.Caption = TotalText(FState);
  if (Form1.Color == clRed)
    Form1.Label8.Caption = "";
  if (Form1.Color == clGreen)
    Form1.Label1.Caption = Trim(TotalText(FState));
  if (Form1.Color == clGreen)
    Form1.Label8.Caption = LinkDisconnected;

  FState.StartMonth = StrToInt(StartMonthText(FState.StartDateText));

  if (ResetDayFileExists())
    FState.ResetDay = StrToInt(ReadResetDayFile());
  else
    FApp.ShowHelpWindow();

  const TDateTime Today = FClock.Now();
  if (Today.Month > FState.StartMonth && Today.Day > FState.ResetDay && FState.PlanHours != 0)
    FDialogs.ShowMessage(ReminderText);

  FDisplay.Form2.Label2.Caption = IntToStr(FState.ResetDay) + "/" + IntToStr(FState.StartMonth);
}

void TAccounting::Rinitialiserlecompteur1Click()
{
  if (!FDialogs.Confirm(ResetQuestion))
    return;
  // Refuse a plan text that does not convert before the old counter is replaced.
  const int32_t PlanHours = StrToInt(FState.PlanHoursText);
  // The rename over the old file deletes it and creates the new one in one step.
  WriteCounterFile({NowText(FClock), "0", FState.PlanHoursText});
  FState.PlanHours = PlanHours;
  FormClick();
}

void TAccounting::Fixerleforfait1Click()
{
  const TCounterLines Before = ReadCounterFile();
  FState.PlanHoursText = Before.PlanHours;
  FState.PlanHours = StrToInt(FState.PlanHoursText);
  const std::string Prompt =
      "Le forfait est actuellement de " + FState.PlanHoursText + " heures. Entrer la nouvelle valeur (0 pour illimité)";
  if (!FDialogs.InputQuery(PlanCaption, Prompt, FState.PlanHoursText))
    return;
  FState.PlanHours = StrToInt(FState.PlanHoursText);
  // Lines 1 and 2 are read again: a fold-in may have run while the box was open.
  const TCounterLines Now = ReadCounterFile();
  WriteCounterFile({Now.StartDate, Now.TotalSeconds, FState.PlanHoursText});
}

void TAccounting::Changer1Click()
{
  std::string Day = "1";
  if (FDialogs.InputQuery(ResetDayCaption, ResetDayPrompt, Day))
    WriteResetDayFile(Day);
  FormClick();
}

void TAccounting::Voir1Click()
{
  if (ResetDayFileExists())
    FDialogs.ShowMessage("La R.A.Z. du compteur est effectuée tous les " + ReadResetDayFile() + " du mois");
  else
    FApp.ShowHelpWindow();
}

void TAccounting::Dcrocher1Click() { FDialler.InternetAutodial(); }

void TAccounting::Raccrocher1Click() { FDialler.InternetAutodialHangup(); }

void TAccounting::Quitter1Click()
{
  if (FDisplay.Form1.Color == clRed) {
    FDialogs.ShowMessage(QuitRefused);
    return;
  }
  FApp.ShowBanner();
  FApp.Terminate();
}
