#pragma once
// A stand-in for the message boxes (set_message_presenter(record_message)):
// each box's text kept in order, questions apart from the others, and every
// question answered Yes or No as answer_yes says.
#include <string>
#include <vector>

#include "platform/messages.h"

inline std::vector<std::string> errors_shown, questions_asked;  // message box texts, in order
inline bool answer_yes = false;

inline bool record_message(const char*, const char* text, MessageIcon icon) {
    (icon == ICON_QUESTION ? questions_asked : errors_shown).push_back(text);
    return icon == ICON_QUESTION ? answer_yes : true;
}
