#include "Unit4.h"

#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "TResources.h"
#include "WindowHelpers.h"

TForm4* Form4 = nullptr;

namespace {

// Answer the help text with its lines joined by line feeds and no break after the last one.
QString HelpText()
{
  QString Text = ToQString(ResourceText(HelpResource));
  Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (Text.endsWith(QLatin1Char('\n')))
    Text.chop(1);
  return Text;
}

} // namespace

TForm4::TForm4() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
  Form4 = this;
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("Je vous dois des ex-complications"));
  setFont(FormFont());
  // The client area of a 771 x 470 outer window with a caption and a sizeable frame.
  resize(763, 443);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  QFont Arial(QStringLiteral("Arial"));
  Arial.setStyleHint(QFont::SansSerif);
  Arial.setPixelSize(15);
  Memo1->setFont(Arial);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setReadOnly(false);
  Memo1->setPlainText(HelpText());
  Layout->addWidget(Memo1);
  setFocusProxy(Memo1);

  SetAlphaBlendValue(HelpStartOpacity);
  Timer1 = new QTimer(this);
  Timer1->setInterval(25);
  connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
  Timer1->start();
}

TForm4::~TForm4()
{
  if (Form4 == this)
    Form4 = nullptr;
}

void TForm4::SetAlphaBlendValue(int32_t Value)
{
  FAlphaBlendValue = Value;
  setWindowOpacity(Value / 255.0);
}

void TForm4::FormShow()
{
  SetAlphaBlendValue(HelpStartOpacity);
  Timer1->start();
}

void TForm4::Timer1Timer()
{
  if (FAlphaBlendValue < HelpFullOpacity)
    SetAlphaBlendValue(FAlphaBlendValue + 1);
  // Nothing changes past the full opacity: the timer sleeps until the next show.
  if (FAlphaBlendValue >= HelpFullOpacity)
    Timer1->stop();
}

void TForm4::showEvent(QShowEvent* Event)
{
  if (!Event->spontaneous()) {
    CentreOnScreen(this);
    FormShow();
  }
  QWidget::showEvent(Event);
}
