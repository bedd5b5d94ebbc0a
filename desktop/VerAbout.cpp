#include "VerAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "WindowHelpers.h"

TVerAboutBox* VerAboutBox = nullptr;

namespace {

// A yellow panel with a lowered outer and a raised inner bevel.
class TBevelPanel : public QWidget {
public:
  explicit TBevelPanel(QWidget* Parent) : QWidget(Parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter Painter(this);
    const QRect Area = rect();
    Painter.fillRect(Area, QColor(255, 255, 0));
    const QColor Shadow(128, 128, 128);
    const QColor Light(255, 255, 255);
    DrawBevel(Painter, Area, Shadow, Light);
    DrawBevel(Painter, Area.adjusted(1, 1, -1, -1), Light, Shadow);
  }

private:
  // Draw a one-pixel bevel: TopLeft on the upper and left edges, BottomRight on the others.
  static void DrawBevel(QPainter& Painter, const QRect& Area, const QColor& TopLeft, const QColor& BottomRight)
  {
    Painter.setPen(TopLeft);
    Painter.drawLine(Area.topLeft(), Area.topRight());
    Painter.drawLine(Area.topLeft(), Area.bottomLeft());
    Painter.setPen(BottomRight);
    Painter.drawLine(Area.bottomLeft(), Area.bottomRight());
    Painter.drawLine(Area.topRight(), Area.bottomRight());
  }
};

// Build a label of the box at (X, Y) with its resting caption.
QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Caption, int X, int Y)
{
  auto* Label = new QLabel(Caption, Parent);
  Label->setObjectName(QLatin1String(Name));
  Label->move(X, Y);
  Label->adjustSize();
  return Label;
}

} // namespace

TVerAboutBox::TVerAboutBox(std::string ExePath)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), FExePath(std::move(ExePath))
{
  VerAboutBox = this;
  setObjectName(QStringLiteral("VerAboutBox"));
  setWindowTitle(QStringLiteral("A propos"));
  setFont(FormFont());
  setFixedSize(272, 83);

  pnlCadre = new TBevelPanel(this);
  pnlCadre->setObjectName(QStringLiteral("pnlCadre"));
  pnlCadre->setGeometry(0, 0, 272, 57);
  imgProgramIcon = new QLabel(pnlCadre);
  imgProgramIcon->setObjectName(QStringLiteral("imgProgramIcon"));
  imgProgramIcon->setGeometry(8, 8, 37, 37);
  imgProgramIcon->setScaledContents(true);
  imgProgramIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  lblProductName = MakeLabel(pnlCadre, "lblProductName", QStringLiteral("Nom du produit"), 46, 6);
  lblVersion = MakeLabel(pnlCadre, "lblVersion", QStringLiteral("lblVersion"), 46, 18);
  lblCopyright = MakeLabel(pnlCadre, "lblCopyright", QStringLiteral("lblCopyright"), 46, 30);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(0, 58, 273, 25);
  connect(Button1, &QPushButton::clicked, this, &TVerAboutBox::Button1Click);

  Timer1 = new QTimer(this);
  Timer1->setInterval(2000);
  connect(Timer1, &QTimer::timeout, this, &TVerAboutBox::Timer1Timer);
  FormCreate();
}

TVerAboutBox::~TVerAboutBox()
{
  if (VerAboutBox == this)
    VerAboutBox = nullptr;
}

void TVerAboutBox::FormCreate()
{
  Timer1->start();
}

void TVerAboutBox::GetVersionValue(TInfo Key, std::string& Value) const
{
  QueryVersionValue(FExePath, Key, Value);
}

void TVerAboutBox::FormShow()
{
  FShowTicks = 0;
  std::string Product;
  GetVersionValue(ProductName, Product);
  std::string Version;
  GetVersionValue(FileVersion, Version);
  std::string Copyright;
  GetVersionValue(LegalCopyright, Copyright);
  lblProductName->setText(ToQString(Product));
  lblVersion->setText(QStringLiteral("Version ") + ToQString(Version));
  lblCopyright->setText(QStringLiteral("Copyright ") + ToQString(Copyright));
  for (QLabel* Label : {lblProductName, lblVersion, lblCopyright})
    Label->adjustSize();
}

void TVerAboutBox::Timer1Timer()
{
  ++FShowTicks;
  if (FShowTicks == 2)
    close();
}

void TVerAboutBox::Button1Click()
{
  hide();
  close();
}

void TVerAboutBox::showEvent(QShowEvent* Event)
{
  if (!Event->spontaneous()) {
    CentreOnScreen(this);
    FormShow();
  }
  QWidget::showEvent(Event);
}
