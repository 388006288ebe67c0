// GoogleTest main for widget tests: one QApplication for the whole run, on
// the offscreen platform unless the caller chose another.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/toolkit/program_font.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  jixia::InstallProgramFont();
  return RUN_ALL_TESTS();
}
