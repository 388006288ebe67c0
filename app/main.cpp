// jixia: the entry window, then the listing browser.
#include <QApplication>
#include <QCoreApplication>

#include "app/program.h"
#include "app/toolkit/program_font.h"
#include "jixia/config.h"
#include "net/event_hook.h"
#include "net/tls_trust.h"
#include "resources/pictures.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(jixia::pictures::Load(jixia::pictures::kIcon));
  jixia::InstallProgramFont();
  jixia::SetExtraCaFile(jixia::config::kCaFile);
  jixia::SetEventHook([] { QCoreApplication::processEvents(); });

  jixia::ProgramCookies cookies;
  return jixia::RunProgram(cookies, {});
}
