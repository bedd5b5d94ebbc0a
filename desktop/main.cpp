#include <QApplication>

int main(int argc, char** argv)
{
  QApplication App(argc, argv);
  return 0;
}
