// Error boxes and fatal errors, with standard error standing in for message
// boxes until a window installs its presenter.
#include "platform/messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

bool present_on_stderr(const char* title, const char* text, MessageIcon icon) {
    std::string line = latin1_to_terminal(title[0] ? std::string(title) + ": " + text : std::string(text));
    std::fprintf(stderr, "%s\n", line.c_str());
    return icon != ICON_QUESTION;
}

// The hook the window installs (the core below it has no window to pass).
MessagePresenter presenter = present_on_stderr;

}  // namespace

void set_message_presenter(MessagePresenter p) { presenter = p ? p : present_on_stderr; }

void show_error(int message_id, bool fatal) {
    std::string title(load_string(fatal ? STR_FATAL_TITLE : STR_ERROR_TITLE));
    std::string text(load_string(message_id));
    presenter(title.c_str(), text.c_str(), ICON_EXCLAMATION);
}

void show_error_text(const char* text) {
    std::string title(load_string(STR_ERROR_TITLE));
    presenter(title.c_str(), text, ICON_EXCLAMATION);
}

bool ask_question(const char* text) {
    std::string title(load_string(STR_PRODUCT));
    return presenter(title.c_str(), text, ICON_QUESTION);
}

std::string file_error_text(int message_id, const std::string& path, int error_number) {
    std::string text = std::string(load_string(message_id)) + ": " + path;
    if (error_number != 0) text += std::string(" (") + std::strerror(error_number) + ")";
    return text;
}

void fatal_error(int message_id, const char* module, long line) {
    fatal_error_text(std::string(load_string(message_id)), module, line);
}

void fatal_error_text(const std::string& text, const char* module, long line) {
    std::string title(load_string(STR_FATAL_TITLE));
    presenter(title.c_str(), text.c_str(), ICON_EXCLAMATION);
    char where[128];
    std::snprintf(where, sizeof where, "%s/%ld", module, line);
    presenter("", where, ICON_INFORMATION);
    // Nothing is saved: the state that failed cannot be trusted.  The status
    // is the same whichever presenter showed the boxes, so that a script
    // driving the command line sees the failure.
    std::_Exit(EXIT_FATAL_ERROR);
}
