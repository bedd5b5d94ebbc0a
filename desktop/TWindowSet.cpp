#include "TWindowSet.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include "TResources.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "VerAbout.h"

namespace {

// Answer the application icon, 32 x 32 and 16 x 16.
QIcon ApplicationIconImage()
{
  QIcon Icon;
  for (std::string_view Name : {IconResource32, IconResource16}) {
    QPixmap Picture;
    if (const TResource* Found = FindResource(Name))
      Picture.loadFromData(Found->Data, static_cast<uint>(Found->Size), "PNG");
    if (!Picture.isNull())
      Icon.addPixmap(Picture);
  }
  return Icon;
}

} // namespace

TWindowSet::TWindowSet(TDesktopServices& Services) : FServices(Services)
{
  const QIcon Icon = ApplicationIconImage();
  QApplication::setWindowIcon(Icon);
  FTrayApplication.Icon.SetImage(Icon);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState State) {
    if (State == Qt::ApplicationActive && FTrayApplication.OnActivate)
      FTrayApplication.OnActivate(nullptr);
  });
  Services.Boundary.SetRender([this] { RenderAll(); });

  FVerAboutBox = std::make_unique<TVerAboutBox>(Services.ExePath);
  FSteps.push_back("VerAboutBox");
  FVerAboutBox->show();
  // Let the window system map the splash, then paint it at once: no loop runs until start-up ends.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  FVerAboutBox->repaint();
  FSteps.push_back("VerAboutBox shown");

  FForm2 = std::make_unique<TForm2>(Services);
  FSteps.push_back("Form2");
  FForm4 = std::make_unique<TForm4>();
  FSteps.push_back("Form4");
  QCoreApplication::setApplicationName(QStringLiteral("Tavrelo"));
  FSteps.push_back("Title");

  FForm1 = std::make_unique<TForm1>(Services, FTrayApplication);
  FSteps.push_back("Form1");
  FForm1->show();
  FTrayApplication.MainForm = FForm1.get();
  FForm3 = std::make_unique<TForm3>(Services);
  FSteps.push_back("Form3");
  RenderAll();
}

TWindowSet::~TWindowSet()
{
  FServices.Boundary.SetRender({});
  FTrayApplication.MainForm = nullptr;
  FForm3.reset();
  FForm1.reset();
  FForm4.reset();
  FForm2.reset();
  FVerAboutBox.reset();
}

void TWindowSet::RenderAll()
{
  if (Form1 != nullptr)
    Form1->Render();
  if (Form2 != nullptr)
    Form2->Render();
  if (Form3 != nullptr)
    Form3->Render();
}

void FoldInAndEnd(TErrorBoundary& Boundary, TAccounting& Accounting, TAppPort& App)
{
  static TStderrErrorBox Stderr;
  Boundary.SetBox(Stderr);
  Boundary.Run([&Accounting] { Accounting.FoldInSession(); });
  Boundary.BeginTermination();
  App.Terminate();
}
