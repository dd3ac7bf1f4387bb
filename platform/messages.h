#pragma once
// Error boxes and fatal errors.  The window installs a presenter that shows
// message boxes; without one, messages go to standard error.
#include <string>

enum MessageIcon { ICON_EXCLAMATION, ICON_INFORMATION, ICON_QUESTION };

// Shows text under title.  Returns true for "Yes"/"OK" (only questions can say no).
using MessagePresenter = bool (*)(const char* title, const char* text, MessageIcon icon);
void set_message_presenter(MessagePresenter presenter);  // nullptr restores standard error

// Error box with the text of message_id, titled "Skyloom 2 - Error", or
// "Skyloom 2 - Fatal error" when fatal is true.
void show_error(int message_id, bool fatal = false);
// The same for a text made at run time (one naming a file, say).
void show_error_text(const char* text);

// Yes/No question titled "Skyloom 2"; true for Yes.  Without a window the answer is no.
bool ask_question(const char* text);

// The text of a file error: the message, the file's path and, when
// error_number is not 0, the system's reason ("... : /x/CITIES.DAT (Permission denied)").
std::string file_error_text(int message_id, const std::string& path, int error_number);

// Exit status of a fatal error, whichever front end shows it.
constexpr int EXIT_FATAL_ERROR = 1;

// Something that should never fail did: shows the message, then "MODULE/line",
// then ends the process with EXIT_FATAL_ERROR.  module is the source module's
// short upper-case name.
[[noreturn]] void fatal_error(int message_id, const char* module, long line);
// The same with a text made at run time (a data file's error naming its path).
[[noreturn]] void fatal_error_text(const std::string& text, const char* module, long line);
