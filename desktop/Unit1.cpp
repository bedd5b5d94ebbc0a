#include "Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "TError.h"
#include "TGauge.h"
#include "TRegion.h"
#include "TResources.h"
#include "TShape.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "VerAbout.h"
#include "WindowHelpers.h"

TForm1* Form1 = nullptr;

namespace {

// Answer the embedded picture Name, or an empty one.
QPixmap LoadPicture(std::string_view Name, const char* Format)
{
  QPixmap Picture;
  if (const TResource* Found = FindResource(Name))
    Picture.loadFromData(Found->Data, static_cast<uint>(Found->Size), Format);
  return Picture;
}

// Answer the window region stored with the design.
QRegion LoadRegion()
{
  const TResource* Found = FindResource(RegionResource);
  if (Found == nullptr)
    throw TError("Ressource introuvable : " + std::string(RegionResource));
  QRegion Region;
  for (const TRect& Rect : DecodeRegionBlock(Found->Data, Found->Size))
    Region += QRect(Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
  return Region;
}

// Build a yellow banner label at (X, Y), Width x Height, with its resting caption.
QLabel* MakeLabel(QWidget* Parent, const char* Name, const char* Caption, QRect Place, Qt::Alignment Align)
{
  auto* Label = new QLabel(QString::fromUtf8(Caption), Parent);
  Label->setObjectName(QLatin1String(Name));
  Label->setFont(FormFont());
  QPalette Palette = Label->palette();
  Palette.setColor(QPalette::WindowText, ColorFromValue(clYellow));
  Label->setPalette(Palette);
  Label->setAutoFillBackground(false);
  Label->setAttribute(Qt::WA_TranslucentBackground);
  Label->setAlignment(Align | Qt::AlignVCenter);
  Label->setGeometry(Place);
  return Label;
}

} // namespace

TForm1::TForm1(TDesktopServices& Services, TTrayApplication& Application)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), FServices(Services),
      FApplication(Application)
{
  Form1 = this;
  LoadDesign();
  FormCreate();
}

TForm1::~TForm1()
{
  PiconeBarreTache1.reset();
  if (Form1 == this)
    Form1 = nullptr;
}

void TForm1::LoadDesign()
{
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Tavrelo"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  resize(930, BannerHeight);
  move(0, pos().y());

  FSkin = LoadPicture(SkinResource, "BMP");
  FRegion = LoadRegion();
  setMask(FRegion);

  const TForm1Display& Rest = FServices.Display.Form1;
  Gauge1 = new TGauge(this);
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->setGeometry(178, 2, 63, 7);
  Gauge1->SetBorderStyle(TGauge::bsNone);
  Gauge1->SetShowText(false);
  Gauge1->Render(Rest.Gauge1);
  Gauge1->setEnabled(false);
  Gauge1->setAttribute(Qt::WA_TransparentForMouseEvents);

  Label3 = MakeLabel(this, "Label3", "Débit E/S:", QRect(141, 16, 50, 13), Qt::AlignLeft);
  Label3->adjustSize();
  Label2 = MakeLabel(this, "Label2", "0", QRect(192, 16, 6, 13), Qt::AlignLeft);
  Label2->adjustSize();
  Label7 = MakeLabel(this, "Label7", "o/s ", QRect(230, 16, 19, 13), Qt::AlignRight);
  Label7->adjustSize();
  origine = new QWidget(this);
  origine->setObjectName(QStringLiteral("origine"));
  origine->setGeometry(30, HandleTop, 31, 37);
  Label1 = MakeLabel(this, "Label1", "?", QRect(22, 32, 235, 13), Qt::AlignHCenter);
  Label8 = MakeLabel(this, "Label8", "Déconnecté", QRect(32, 16, 111, 15), Qt::AlignLeft);
  FShownLabel1 = Label1->text().toStdString();
  FShownLabel2 = Label2->text().toStdString();
  FShownLabel8 = Label8->text().toStdString();

  Shape1 = new TShape(this, Rest.Shape1.BrushColor, false);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(40, 74, 11, 17);
  Shape2 = new TShape(this, Rest.Shape2.BrushColor, true);
  Shape2->setObjectName(QStringLiteral("Shape2"));
  Shape2->setGeometry(16, 48, 65, 65);
  Shape2->setVisible(Rest.Shape2.Visible);

  for (QWidget* Element : std::initializer_list<QWidget*>{Label3, Label2, Label7, origine, Label1, Label8, Shape1, Shape2})
    Element->installEventFilter(this);

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  Timer2 = new QTimer(this);
  Timer2->setInterval(100);
  connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
  Timer2->start();

  BuildMenu();

  const std::string_view Frames[] = {FrameResource0, FrameResource1, FrameResource2};
  for (size_t I = 0; I < ImageList1.size(); ++I)
    ImageList1[I].SetImage(QIcon(LoadPicture(Frames[I], "PNG")));
  setWindowIcon(FApplication.Icon.Image());

  if (auto* QtShell = dynamic_cast<TQtTrayShell*>(&FServices.Shell))
    QtShell->SetTaskbarWindow(this);
  OnClose = [this](void* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  FTrayMenu = std::make_unique<TQtPopupMenu>(PopupMenu1);
  PiconeBarreTache1 = std::make_unique<TPiconeBarreTache>(*this, FApplication, FServices.Shell);
  PiconeBarreTache1->SetMenuPop(FTrayMenu.get());
  PiconeBarreTache1->SetReduireSiFin(false);
  PiconeBarreTache1->SetPetiteIconeVisible(true);
  PiconeBarreTache1->SetGrandeIconeVisible(false);
  PiconeBarreTache1->SetApplicationCachee(false);
  PiconeBarreTache1->SetHint(TrayHint);
  PiconeBarreTache1->Loaded();
}

void TForm1::BuildMenu()
{
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto Add = [this](QMenu* Menu, const char* Name, const char* Caption, void (TForm1::*Handler)()) {
    QAction* Item = Menu->addAction(QString::fromUtf8(Caption));
    Item->setObjectName(QLatin1String(Name));
    connect(Item, &QAction::triggered, this, [this, Handler] { (this->*Handler)(); });
    return Item;
  };
  TAccounting& Core = FServices.Accounting;
  auto Command = [this, &Core](QMenu* Menu, const char* Name, const char* Caption, void (TAccounting::*Handler)()) {
    QAction* Item = Menu->addAction(QString::fromUtf8(Caption));
    Item->setObjectName(QLatin1String(Name));
    connect(Item, &QAction::triggered, this, [this, &Core, Handler] { Guard([&Core, Handler] { (Core.*Handler)(); }); });
    return Item;
  };
  Voirledtaildesconnexions1 = Add(PopupMenu1, "Voirledtaildesconnexions1", "Voir le détail des connexions",
                                  &TForm1::Voirledtaildesconnexions1Click);
  VoirJaugeAgrandie1 = Add(PopupMenu1, "VoirJaugeAgrandie1", "Voir Jauge Agrandie", &TForm1::VoirJaugeAgrandie1Click);
  Rinitialiserlecompteur1 = Command(PopupMenu1, "Rinitialiserlecompteur1", "Réinitialiser le compteur",
                                    &TAccounting::Rinitialiserlecompteur1Click);
  JourdeRAZ1 = PopupMenu1->addMenu(QStringLiteral("Jour de R.A.Z."));
  JourdeRAZ1->setObjectName(QStringLiteral("JourdeRAZ1"));
  JourdeRAZ1->menuAction()->setObjectName(QStringLiteral("JourdeRAZ1"));
  Changer1 = Command(JourdeRAZ1, "Changer1", "Changer", &TAccounting::Changer1Click);
  Voir1 = Command(JourdeRAZ1, "Voir1", "Voir", &TAccounting::Voir1Click);
  Fixerleforfait1 = Command(PopupMenu1, "Fixerleforfait1", "Fixer le forfait", &TAccounting::Fixerleforfait1Click);
  Rduite1 = PopupMenu1->addAction(QStringLiteral("Masquer"));
  Rduite1->setObjectName(QStringLiteral("Rduite1"));
  Rduite1->setCheckable(true);
  // The menu toggles a checkable item by itself; undo that and apply the item's own rule.
  connect(Rduite1, &QAction::triggered, this, [this](bool Checked) {
    Rduite1->setChecked(!Checked);
    Rduite1Click();
  });
  Aproposde1 = Add(PopupMenu1, "Aproposde1", "A propos de ...", &TForm1::Aproposde1Click);
  VersionInfo1 = Add(PopupMenu1, "VersionInfo1", "Version Info", &TForm1::VersionInfo1Click);
  Unpetitcoupdemain1 = Add(PopupMenu1, "Unpetitcoupdemain1", "Un petit coup de main", &TForm1::Unpetitcoupdemain1Click);
  Dcrocher1 = Command(PopupMenu1, "Dcrocher1", "Décrocher", &TAccounting::Dcrocher1Click);
  Raccrocher1 = Command(PopupMenu1, "Raccrocher1", "Raccrocher", &TAccounting::Raccrocher1Click);
  Quitter1 = Command(PopupMenu1, "Quitter1", "Quitter", &TAccounting::Quitter1Click);
}

void TForm1::Guard(const std::function<void()>& Handler)
{
  FServices.Boundary.Run(Handler);
}

void TForm1::FormCreate()
{
  Guard([this] {
    Timer1->stop();
    SetTop(-origine->y());
    resize(ScreenWidth(), height());
    FServices.Accounting.PrepareState();
    FServices.Monitor.CaptureMIBData(true);
    Timer1->start();
    FormClick();
  });
}

void TForm1::FormClick()
{
  Guard([this] { FServices.Accounting.FormClick(); });
}

void TForm1::Timer1Timer()
{
  Guard([this] { FServices.Accounting.Timer1Timer(); });
}

void TForm1::Timer2Timer()
{
  Guard([this] {
    TGaugeState& Activity = FServices.Display.Form1.Gauge1;
    if (Activity.Progress >= 10)
      Activity.SetProgress(0);
    else
      Activity.SetProgress(Activity.Progress + 1);
    int Left = x() + 1;
    if (ScreenWidth() - Label1->width() < Left)
      Left = 0;
    move(Left, y());
    PiconeBarreTache1->SetGrandeIconeVisible(false);
  });
}

int TForm1::ScreenWidth() const
{
  if (FServices.ScreenWidth)
    return FServices.ScreenWidth();
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen != nullptr ? Screen->geometry().width() : width();
}

void TForm1::SetTop(int Top)
{
  move(x(), Top);
}

void TForm1::origineClick()
{
  SetTop(HandleTop);
}

void TForm1::origineMouseDown(bool Ctrl)
{
  if (Ctrl)
    ShowInFront(Form2);
}

void TForm1::CoolForm1MouseMove()
{
  SetTop(-HandleTop);
}

void TForm1::Rduite1Click()
{
  if (Rduite1->isChecked()) {
    Rduite1->setChecked(false);
    setVisible(true);
  } else {
    Rduite1->setChecked(true);
    setVisible(false);
  }
}

void TForm1::FormClose(void*, TCloseAction& Action)
{
  Action = caNone;
}

void TForm1::FormResize()
{
  if (windowState() != Qt::WindowNoState)
    setWindowState(Qt::WindowNoState);
}

void TForm1::Voirledtaildesconnexions1Click()
{
  ShowInFront(Form2);
}

void TForm1::VoirJaugeAgrandie1Click()
{
  ShowInFront(Form3);
}

void TForm1::VersionInfo1Click()
{
  ShowInFront(VerAboutBox);
}

void TForm1::Unpetitcoupdemain1Click()
{
  ShowInFront(Form4);
}

void TForm1::Aproposde1Click()
{
  const std::string Text = ResourceText(AboutResource);
  Guard([this, &Text] { FServices.Dialogs.ShowMessage(Text); });
}

void TForm1::RenderLabel(QLabel* Label, const std::string& Caption, std::string& Shown, bool AutoSize)
{
  if (Caption == Shown)
    return;
  Shown = Caption;
  Label->setText(ToQString(Caption));
  if (AutoSize)
    Label->adjustSize();
}

void TForm1::Render()
{
  const TForm1Display& Shown = FServices.Display.Form1;
  RenderLabel(Label1, Shown.Label1.Caption, FShownLabel1, false);
  RenderLabel(Label2, Shown.Label2.Caption, FShownLabel2, true);
  RenderLabel(Label8, Shown.Label8.Caption, FShownLabel8, false);
  Shape1->Render(Shown.Shape1);
  Shape2->Render(Shown.Shape2);
  RenderGauge();
  if (Dcrocher1->isEnabled() != Shown.Dcrocher1.Enabled)
    Dcrocher1->setEnabled(Shown.Dcrocher1.Enabled);
  if (Raccrocher1->isEnabled() != Shown.Raccrocher1.Enabled)
    Raccrocher1->setEnabled(Shown.Raccrocher1.Enabled);
  if (Shown.TrayIcon != FShownTrayIcon) {
    FShownTrayIcon = Shown.TrayIcon;
    const bool Frame = Shown.TrayIcon >= 0 && Shown.TrayIcon < static_cast<int32_t>(ImageList1.size());
    const TIcon& Icon = Frame ? ImageList1[static_cast<size_t>(Shown.TrayIcon)] : FApplication.Icon;
    setWindowIcon(Icon.Image());
    PiconeBarreTache1->SetIcone(Icon);
  }
}

bool TForm1::BarOnScreen() const
{
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen == nullptr || Screen->virtualGeometry().intersects(QRect(pos(), QSize(width(), HandleTop)));
}

void TForm1::RenderGauge()
{
  // The gauge cycles ten times a second; painting it while nobody can see it only wakes the X server.
  const TGaugeState& Activity = FServices.Display.Form1.Gauge1;
  if (!GaugeShows(*Gauge1, Activity) && BarOnScreen())
    Gauge1->Render(Activity);
}

void TForm1::moveEvent(QMoveEvent* Event)
{
  QWidget::moveEvent(Event);
  RenderGauge();
}

void TForm1::paintEvent(QPaintEvent*)
{
  QPainter Painter(this);
  Painter.drawPixmap(0, 0, FSkin);
}

void TForm1::mousePressEvent(QMouseEvent* Event)
{
  if (Event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(Event);
    return;
  }
  if (windowHandle() != nullptr && windowHandle()->startSystemMove())
    return;
  FDragging = true;
  FDragOffset = Event->globalPosition().toPoint() - pos();
}

void TForm1::mouseMoveEvent(QMouseEvent* Event)
{
  if (FDragging && (Event->buttons() & Qt::LeftButton)) {
    move(Event->globalPosition().toPoint() - FDragOffset);
    return;
  }
  FDragging = false;
  CoolForm1MouseMove();
}

void TForm1::mouseReleaseEvent(QMouseEvent* Event)
{
  if (Event->button() == Qt::LeftButton)
    FDragging = false;
  QWidget::mouseReleaseEvent(Event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* Event)
{
  PopupMenu1->popup(Event->globalPos());
}

void TForm1::closeEvent(QCloseEvent* Event)
{
  TCloseAction Action = 1;
  if (OnClose)
    OnClose(this, Action);
  if (Action == caNone)
    Event->ignore();
  else
    Event->accept();
}

void TForm1::resizeEvent(QResizeEvent* Event)
{
  QWidget::resizeEvent(Event);
  FormResize();
}

void TForm1::changeEvent(QEvent* Event)
{
  QWidget::changeEvent(Event);
  if (Event->type() == QEvent::WindowStateChange)
    FormResize();
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event)
{
  const QEvent::Type Type = Event->type();
  const bool Mouse = Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonRelease ||
                     Type == QEvent::MouseButtonDblClick || Type == QEvent::MouseMove;
  if (!Mouse)
    return QWidget::eventFilter(Watched, Event);
  if (Watched == origine) {
    auto* Press = static_cast<QMouseEvent*>(Event);
    if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) {
      origineMouseDown(Press->modifiers().testFlag(Qt::ControlModifier));
      if (Press->button() == Qt::LeftButton)
        FOriginePressed = true;
    } else if (Type == QEvent::MouseButtonRelease && Press->button() == Qt::LeftButton) {
      const bool Inside = origine->rect().contains(Press->position().toPoint());
      const bool Click = FOriginePressed && Inside;
      FOriginePressed = false;
      if (Click)
        origineClick();
    }
  }
  // Labels, shapes and the handle take the mouse: nothing reaches the skin beneath them.
  return true;
}
