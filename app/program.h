// The program from the entry window's creation to the end of the message
// loop. The program-wide cookie texts live here and are handed to whoever
// needs them.
#pragma once

#include <functional>

#include "app/entry_window.h"
#include "app/version_check.h"
#include "listing/listing_ui.h"

namespace jixia {

// The two cookie texts of the account service, empty at start, living until
// the program ends.
struct ProgramCookies {
  Text AccountCookies;
  Text LoginReplyCookies;
};

// What the program hands its outside work to. Empty members take the
// program's own: WebRequest, the OK/Cancel box, the default browser, the
// desktop opener and a real MainWindow.
struct ProgramServices {
  VersionCheckServices version;
  EntryWindowServices entry;
};

// The program's own services: the version request through WebRequest, the
// update box, the download page in the browser, the contact link through the
// desktop opener, and the enter button creating the MainWindow on the
// build-time hosts (shown, deleted when closed).
ProgramServices DefaultServices();

// The entry window's creation handler: the version check, then the
// placement and the set-up. Returns true when the program must end (the
// update path was taken).
bool RunCreationHandler(EntryWindow& window, const VersionCheckServices& version);

// Runs the program in an existing QApplication: creates the entry window,
// runs its creation handler, shows it and runs the message loop until the
// last window is gone. Returns the exit code, 0.
int RunProgram(ProgramCookies& cookies, const ProgramServices& services);

}  // namespace jixia
