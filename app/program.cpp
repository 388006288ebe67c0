#include "app/program.h"

#include <QApplication>
#include <memory>

#include "app/contact_link.h"
#include "app/toolkit/toolkit.h"
#include "jixia/config.h"
#include "listing/source_table.h"
#include "listing/window/main_window.h"
#include "net/web_request.h"

namespace jixia {

ProgramServices DefaultServices() {
  ProgramServices services;
  services.version.fetch = [](const Text& url) { return WebRequest(url); };
  services.version.askUpdate = [](const Text& message) { AskOkCancel(message); };
  services.version.openBrowser = [](const Text& url) { OpenInBrowser(url); };
  services.entry.openMainWindow = [] {
    auto* window = new MainWindow(BuildSourceTable(BuildTimeHosts()));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
  };
  return services;
}

bool RunCreationHandler(EntryWindow& window, const VersionCheckServices& version) {
  if (VersionCheck(version, config::kProfileHost, config::kVersionAccount, config::kDownloadHost)) {
    return true;
  }
  window.PlaceFirstPanel();
  window.SetUp();
  return false;
}

int RunProgram(ProgramCookies& cookies, const ProgramServices& services) {
  ProgramServices own = DefaultServices();
  const VersionCheckServices version{
      services.version.fetch ? services.version.fetch : own.version.fetch,
      services.version.askUpdate ? services.version.askUpdate : own.version.askUpdate,
      services.version.openBrowser ? services.version.openBrowser : own.version.openBrowser};
  EntryWindowServices entry = services.entry;
  if (!entry.openMainWindow) entry.openMainWindow = own.entry.openMainWindow;

  // Deleted on close (or at once when the program ends before showing it).
  auto* window = new EntryWindow(cookies.AccountCookies, cookies.LoginReplyCookies, entry);
  if (RunCreationHandler(*window, version)) {
    delete window;
    return 0;
  }
  window->show();
  QApplication::exec();
  return 0;
}

}  // namespace jixia
