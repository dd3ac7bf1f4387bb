// Message boxes and the message pump on Qt.
#include "platform/qt/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"

namespace {

QMessageBox::Icon icon_of(MessageIcon icon) {
    switch (icon) {
    case ICON_EXCLAMATION: return QMessageBox::Warning;
    case ICON_QUESTION: return QMessageBox::Question;
    default: return QMessageBox::Information;
    }
}

// The boxes have no owner window: an error may come while no window exists
// (start-up) or while the window cannot be trusted (a fatal error).
bool present_message_box(const char* title, const char* text, MessageIcon icon) {
    bool question = icon == ICON_QUESTION;
    QMessageBox box(icon_of(icon), to_qstring(title), to_qstring(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    return box.exec() != QMessageBox::No;
}

// Qt hands the waiting events over as one batch, so a repaint that becomes
// pending inside it does not cut the batch short; pump_messages then ends the
// caller's work (mode 1) and the window's paint waits for the running one.
void process_waiting_events(int) { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace

void install_qt_message_presenter() { set_message_presenter(present_message_box); }

void install_qt_event_pump() { set_pending_event_processor(process_waiting_events); }
