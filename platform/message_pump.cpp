#include "platform/message_pump.h"

namespace {
WorkSignals signals;
PendingEventProcessor processor = nullptr;
}  // namespace

WorkSignals& work_signals() { return signals; }

void set_pending_event_processor(PendingEventProcessor p) { processor = p; }

int pump_messages(int mode) {
    if (processor && !(mode == 1 && signals.repaint_pending)) processor(mode);
    if (signals.stop_requested) return 1;
    if (mode == 0) return 0;
    return signals.repaint_pending ? 1 : 0;
}
