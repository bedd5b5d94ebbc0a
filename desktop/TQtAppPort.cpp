#include "TQtAppPort.h"

#include <QCoreApplication>

#include "Unit1.h"
#include "Unit4.h"
#include "WindowHelpers.h"

void TQtAppPort::ShowHelpWindow()
{
  ShowInFront(Form4);
}

void TQtAppPort::ShowBanner()
{
  if (Form1 != nullptr)
    Form1->setVisible(true);
}

void TQtAppPort::Terminate()
{
  // exit rather than quit: quit asks every window to close, and the banner refuses.
  QCoreApplication::exit(0);
}
