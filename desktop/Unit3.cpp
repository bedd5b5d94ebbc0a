#include "Unit3.h"

#include <QShowEvent>

#include "TGauge.h"
#include "WindowHelpers.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TDesktopServices& Services)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint),
      FServices(Services)
{
  Form3 = this;
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("Jauge"));
  setFont(FormFont());
  setFixedSize(155, 446);

  Gauge1 = new TGauge(this);
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->SetKind(TGauge::gkVerticalBar);
  Gauge1->SetBorderStyle(TGauge::bsSingle);
  Gauge1->SetShowText(true);
  Gauge1->setGeometry(rect());
  Render();
}

TForm3::~TForm3()
{
  if (Form3 == this)
    Form3 = nullptr;
}

void TForm3::Render()
{
  if (!GaugeShows(*Gauge1, FServices.Display.Form3.Gauge1))
    Gauge1->Render(FServices.Display.Form3.Gauge1);
}

void TForm3::showEvent(QShowEvent* Event)
{
  if (!Event->spontaneous())
    CentreOnScreen(this);
  QWidget::showEvent(Event);
}

void TForm3::resizeEvent(QResizeEvent* Event)
{
  Gauge1->setGeometry(rect());
  QWidget::resizeEvent(Event);
}
