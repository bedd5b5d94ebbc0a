#include <QApplication>
#include <gtest/gtest.h>

// Run every widget test inside one application object.
int main(int argc, char** argv)
{
  QApplication App(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
