// Message boxes and the message pump on Qt.
#include "platform/qt/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <chrono>

#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/vector_state.h"

namespace {

QMessageBox::Icon icon_of(MessageIcon icon) {
    switch (icon) {
    case ICON_EXCLAMATION: return QMessageBox::Warning;
    case ICON_QUESTION: return QMessageBox::Question;
    default: return QMessageBox::Information;
    }
}

// Room a title bar takes besides the title: the window manager's buttons
// and margins, in average character widths of the box's font.
constexpr int TITLE_BAR_EXTRA_CHARS = 16;

// The window a box belongs to: the dialog whose field it refuses, else the
// window the user works in; none at start-up, before any window exists.  The
// window manager then shows the box over its owner, not at the screen's centre.
QWidget* box_owner() {
    if (QWidget* dialog = QApplication::activeModalWidget()) return dialog;
    return QApplication::activeWindow();
}

// A box is as wide as its text; a short text would cut the title ("Sky…rror"),
// so the box is made at least as wide as the title needs.
void make_room_for_title(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFontMetrics metrics(box.font());
    int width = metrics.horizontalAdvance(box.windowTitle()) + TITLE_BAR_EXTRA_CHARS * metrics.averageCharWidth();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

bool present_message_box(const char* title, const char* text, MessageIcon icon) {
    bool question = icon == ICON_QUESTION;
    QMessageBox box(icon_of(icon), to_qstring(title), to_qstring(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, box_owner());
    box.setWindowModality(Qt::ApplicationModal);
    make_room_for_title(box);
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    return box.exec() != QMessageBox::No;
}

// Qt hands the waiting events over as one batch, so a repaint that becomes
// pending inside it does not cut the batch short; pump_messages then ends the
// caller's work (mode 1) and the window's paint waits for the running one.
// A look for events is a trip through the event loop (locks, a poll of the
// display), and long work pumps thousands of times a second, so the events
// are taken at most every EVENT_PERIOD: Esc and paints wait no longer.
constexpr std::chrono::milliseconds EVENT_PERIOD{5};

void process_waiting_events(int) {
    static std::chrono::steady_clock::time_point last_taken;  // the pump's own clock, one event loop a process
    const auto now = std::chrono::steady_clock::now();
    if (now - last_taken < EVENT_PERIOD) return;
    VectorStateGuard clean;  // the paints and handlers just run may leave them dirty
    QApplication::processEvents(QEventLoop::AllEvents);
    last_taken = std::chrono::steady_clock::now();
}

}  // namespace

void install_qt_message_presenter() { set_message_presenter(present_message_box); }

void install_qt_event_pump() { set_pending_event_processor(process_waiting_events); }
