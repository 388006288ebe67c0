// Opens the main window on the build's hosts directly, without the entry
// window: for looking at the listing browser and for taking screenshots.
#include <QApplication>

#include "app/toolkit/program_font.h"
#include "jixia/config.h"
#include "listing/source_table.h"
#include "listing/window/main_window.h"
#include "net/tls_trust.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  jixia::InstallProgramFont();
  jixia::SetExtraCaFile(jixia::config::kCaFile);
  jixia::MainWindow window(jixia::BuildSourceTable(jixia::BuildTimeHosts()));
  window.show();
  return app.exec();
}
