// The least a banner of this kind costs: a bare borderless Qt window as wide
// as the screen, tucked at y -48, drifting one pixel each 100 ms and wrapping,
// that reads the counter file of the current directory once a second.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
  QApplication App(argc, argv);
  QWidget Window(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  Window.setWindowTitle(QStringLiteral("Baseline"));
  const int ScreenWidth = App.primaryScreen()->geometry().width();
  Window.setGeometry(0, -48, ScreenWidth, 740);
  Window.show();

  QTimer Drift;
  QObject::connect(&Drift, &QTimer::timeout, [&] {
    int Left = Window.x() + 1;
    if (ScreenWidth - 235 < Left)
      Left = 0;
    Window.move(Left, Window.y());
  });
  Drift.start(100);

  QByteArray Counter;
  QTimer Read;
  QObject::connect(&Read, &QTimer::timeout, [&] {
    QFile File(QStringLiteral("decompte_internet.log"));
    if (File.open(QIODevice::ReadOnly))
      Counter = File.readAll();
  });
  Read.start(1000);
  return App.exec();
}
