// Opens the main window on the build's hosts directly, without the entry
// window: for looking at the listing browser and for taking screenshots.
#include <QApplication>

#include "app/toolkit/program_font.h"
#include "listing/source_table.h"
#include "listing/window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  jixia::InstallProgramFont();
  jixia::MainWindow window(jixia::BuildSourceTable(jixia::BuildTimeHosts()));
  window.show();
  return app.exec();
}
