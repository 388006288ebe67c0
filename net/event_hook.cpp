#include "net/event_hook.h"

#include <utility>

namespace jixia {
namespace {

// Only the GUI thread installs and runs the hook; requests run on that thread.
EventHook& InstalledHook() {
  static EventHook hook;
  return hook;
}

}  // namespace

EventHook SetEventHook(EventHook hook) {
  return std::exchange(InstalledHook(), std::move(hook));
}

void ProcessPendingEvents() {
  // A copy, so a hook that replaces itself while it runs stays valid.
  EventHook hook = InstalledHook();
  if (hook) hook();
}

}  // namespace jixia
