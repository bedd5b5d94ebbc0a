#include "TQtBeep.h"

#include <QApplication>

void TQtBeep::Beep()
{
  QApplication::beep();
}
