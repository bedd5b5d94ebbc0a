#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>

#include "TDesktopRig.h"
#include "TGauge.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "VerAbout.h"

namespace {

class SecondaryWindows : public ::testing::Test {
protected:
  void SetUp() override
  {
    Rig.IpHelper.IfRows = {MakeIfRow(1, "Loopback lo"), MakeIfRow(2, "Ethernet eth0", {0, 1, 2, 3, 4, 5}, 10, 20)};
    Rig.Build();
    Form1->Timer1->stop();
    Form1->Timer2->stop();
    Form4->hide();
  }

  TDesktopRig Rig;
};

TEST_F(SecondaryWindows, AboutBoxClosesOnTheSecondTickAfterEachShowAndOnOk)
{
  ASSERT_TRUE(VerAboutBox->isVisible());
  EXPECT_EQ(VerAboutBox->ShowTicks(), 0);
  EXPECT_EQ(VerAboutBox->size(), QSize(272, 83));
  EXPECT_EQ(VerAboutBox->Button1->geometry(), QRect(0, 58, 273, 25));
  EXPECT_EQ(VerAboutBox->Button1->text(), "OK");
  EXPECT_EQ(VerAboutBox->Timer1->interval(), 2000);
  VerAboutBox->Timer1Timer();
  EXPECT_TRUE(VerAboutBox->isVisible());
  VerAboutBox->Timer1Timer();
  EXPECT_FALSE(VerAboutBox->isVisible());
  VerAboutBox->Timer1Timer();
  EXPECT_FALSE(VerAboutBox->isVisible());
  EXPECT_TRUE(VerAboutBox->Timer1->isActive());

  // Shown again from the menu: the count starts again; a second command while shown does not.
  Form1->VersionInfo1->trigger();
  EXPECT_EQ(VerAboutBox->ShowTicks(), 0);
  VerAboutBox->Timer1Timer();
  Form1->VersionInfo1->trigger();
  EXPECT_EQ(VerAboutBox->ShowTicks(), 1);
  VerAboutBox->Timer1Timer();
  EXPECT_FALSE(VerAboutBox->isVisible());

  Form1->VersionInfo1->trigger();
  VerAboutBox->Button1->click();
  EXPECT_FALSE(VerAboutBox->isVisible());
}

TEST_F(SecondaryWindows, AboutBoxLabelsComeFromTheExecutablesVersionInformation)
{
  struct TCase {
    std::string ExePath;
    QString Product;
    QString Version;
    bool Credit;
  };
  const TCase Cases[] = {
      {"/proc/self/exe", "", "Version ", false},       // a file without version information
      {"/nonexistent/tavrelo", "", "Version ", false}, // no file at all
      {TAVRELO_PROGRAM, "Tavrelo", "Version 4.0.0.3", true},
  };
  for (const TCase& Case : Cases) {
    TVerAboutBox Box(Case.ExePath);
    Box.show();
    EXPECT_EQ(Box.lblProductName->text(), Case.Product) << Case.ExePath;
    EXPECT_EQ(Box.lblVersion->text(), Case.Version) << Case.ExePath;
    EXPECT_TRUE(Box.lblCopyright->text().startsWith("Copyright ")) << Case.ExePath;
    EXPECT_EQ(Box.lblCopyright->text().size() > 10, Case.Credit) << Case.ExePath;
    EXPECT_EQ(Box.lblVersion->pos(), QPoint(46, 18));
  }
}

TEST_F(SecondaryWindows, HelpWindowFadesFromTenToTwoHundredAtEachShow)
{
  for (int Show = 0; Show < 2; ++Show) {
    Form1->Unpetitcoupdemain1->trigger();
    ASSERT_TRUE(Form4->isVisible());
    EXPECT_EQ(Form4->AlphaBlendValue(), HelpStartOpacity);
    EXPECT_TRUE(Form4->Timer1->isActive());
    for (int Tick = 0; Tick < 189; ++Tick)
      Form4->Timer1Timer();
    EXPECT_EQ(Form4->AlphaBlendValue(), 199);
    EXPECT_TRUE(Form4->Timer1->isActive());
    Form4->Timer1Timer();
    EXPECT_EQ(Form4->AlphaBlendValue(), HelpFullOpacity);
    EXPECT_FALSE(Form4->Timer1->isActive());
    Form4->Timer1Timer();
    EXPECT_EQ(Form4->AlphaBlendValue(), HelpFullOpacity);
    EXPECT_NEAR(Form4->windowOpacity(), 200 / 255.0, 0.01);
    // Showing a shown window only brings it forward.
    Form1->Unpetitcoupdemain1->trigger();
    EXPECT_EQ(Form4->AlphaBlendValue(), HelpFullOpacity);
    Form4->close();
    EXPECT_FALSE(Form4->isVisible());
  }
}

TEST_F(SecondaryWindows, HelpWindowHoldsTheTwentySevenLinesInArial)
{
  QTextDocument* Text = Form4->Memo1->document();
  ASSERT_EQ(Text->blockCount(), 27);
  EXPECT_EQ(Text->findBlockByNumber(0).text(), "Bonjour,");
  EXPECT_EQ(Text->findBlockByNumber(3).text(), "Il s'agit de  : ");
  EXPECT_EQ(Text->findBlockByNumber(4).text(), "\t- decompte_internet.log");
  EXPECT_EQ(Text->findBlockByNumber(25).text(), ".");
  EXPECT_EQ(Form4->Memo1->font().pixelSize(), 15);
  EXPECT_EQ(Form4->Memo1->font().family(), "Arial");
  EXPECT_EQ(Form4->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(Form4->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_FALSE(Form4->Memo1->isReadOnly());
  EXPECT_EQ(Form4->windowTitle(), "Je vous dois des ex-complications");
  EXPECT_TRUE(Form4->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(SecondaryWindows, ConnectionWindowShowsTheGridAndFollowsItsChanges)
{
  EXPECT_EQ(Form2->windowTitle(), "Etat des connexions");
  EXPECT_EQ(Form2->pos(), QPoint(198, 114));
  EXPECT_EQ(Form2->Label1->pos(), QPoint(8, 192));
  EXPECT_EQ(Form2->Label2->pos(), QPoint(232, 192));
  Form1->Voirledtaildesconnexions1->trigger();
  QTableView* View = Form2->sgmib;
  QAbstractItemModel* Model = View->model();
  const TStringGrid& Grid = Rig.Monitor.sgmib;
  ASSERT_EQ(Model->columnCount(), 9);
  ASSERT_EQ(Model->rowCount(), Grid.RowCount() - 1);
  for (int Col = 0; Col < 9; ++Col) {
    EXPECT_EQ(Model->headerData(Col, Qt::Horizontal).toString().toStdString(), Grid.Cell(Col, 0));
    EXPECT_EQ(View->horizontalHeader()->sectionSize(Col), 64);
  }
  EXPECT_EQ(Model->data(Model->index(1, 0)).toString().toStdString(), Grid.Cell(0, 2));
  EXPECT_FALSE(View->verticalHeader()->isVisible());

  // Shown, the view follows the grid at each render; hidden, it is left alone until the next show.
  const int Rows = Model->rowCount();
  Rig.IpHelper.IfRows.push_back(MakeIfRow(3, "Ethernet eth1"));
  Rig.Monitor.CaptureMIBData(true);
  Form2->Render();
  EXPECT_EQ(Model->rowCount(), Rows + 1);
  EXPECT_EQ(Model->data(Model->index(2, 0)).toString().toStdString(), Grid.Cell(0, 3));
  Form2->hide();
  Rig.IpHelper.IfRows.pop_back();
  Rig.Monitor.CaptureMIBData(true);
  Form2->Render();
  EXPECT_EQ(Model->rowCount(), Rows + 1);
  Form1->Voirledtaildesconnexions1->trigger();
  EXPECT_EQ(Model->rowCount(), Rows);

  Rig.Display.Form2.Label1.Caption = "1234";
  Form2->Render();
  EXPECT_EQ(Form2->Label1->text(), "1234");
}

TEST_F(SecondaryWindows, GaugeWindowIsAFixedVerticalGaugeThatFollowsItsRecord)
{
  EXPECT_EQ(Form3->windowTitle(), "Jauge");
  EXPECT_EQ(Form3->size(), QSize(155, 446));
  EXPECT_EQ(Form3->Gauge1->geometry(), QRect(0, 0, 155, 446));
  EXPECT_EQ(Form3->Gauge1->Kind(), TGauge::gkVerticalBar);
  EXPECT_TRUE(Form3->Gauge1->ShowText());
  EXPECT_EQ(Form3->Gauge1->ForeColor(), clYellow);
  EXPECT_EQ(Form3->Gauge1->BackColor(), clBlue);
  EXPECT_EQ(Form3->Gauge1->Text(), "0%");
  EXPECT_TRUE(Form3->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  Rig.Display.Form3.Gauge1.SetMaxValue(400);
  Rig.Display.Form3.Gauge1.SetProgress(100);
  Form1->Timer2Timer();
  EXPECT_EQ(Form3->Gauge1->Text(), "25%");
  Form1->VoirJaugeAgrandie1->trigger();
  EXPECT_TRUE(Form3->isVisible());
}

} // namespace
