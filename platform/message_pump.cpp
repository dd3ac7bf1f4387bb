#include "platform/message_pump.h"

namespace {
// The module's state: the flags, and the window's event processor (null: none).
struct Pump {
    WorkSignals signals;
    PendingEventProcessor processor = nullptr;
};
Pump pump;
}  // namespace

WorkSignals& work_signals() { return pump.signals; }

void set_pending_event_processor(PendingEventProcessor p) { pump.processor = p; }

int pump_messages(int mode) {
    if (pump.processor && !(mode == 1 && pump.signals.repaint_pending)) pump.processor(mode);
    if (pump.signals.stop_requested) return 1;
    if (mode == 0) return 0;
    return pump.signals.repaint_pending ? 1 : 0;
}
