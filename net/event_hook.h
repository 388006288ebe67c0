// The point where a request lets the window process its pending events. The
// net layer knows no toolkit: the program installs a hook at start, and with
// no hook installed processing events does nothing.
#pragma once

#include <functional>

namespace jixia {

using EventHook = std::function<void()>;

// Installs `hook` (an empty function removes it). Returns the previous hook.
EventHook SetEventHook(EventHook hook);

// Runs the installed hook, if any. Called by WebRequest at its event points.
void ProcessPendingEvents();

}  // namespace jixia
