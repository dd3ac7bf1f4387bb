#pragma once
// Context help (module HELP): which help topic belongs to a menu command or a
// dialog, where the topic files of the help book lie, and the keyword list
// that the Help menu's Keyboard, Commands and User's Guide items look up.
// The help book is a folder help/ beside the program: one HTML page per
// context number (topic-NNN.html), contents.html, and keywords.txt.
#include <string>
#include <vector>

#include "app/dialog_rules.h"

// The Credits topic: the program's licence and the notices of its data
// (the About box's Credits button, the contents page).
constexpr int HELP_CREDITS = 908;

// The help context of a menu command, or -1 when the command has none.
int help_context_of(int command);
// The help context that a parameter dialog shows on F1; -1 for DIAL_NONE.
int dialog_help_context(DialogId dialog);

// Full path of a file of the help book (name inside the folder help/).
std::string help_book_path(const std::string& name);
// Full path of the topic page of a context, help/topic-NNN.html.
std::string help_topic_path(int context);

struct HelpKeyword {
    std::string keyword;
    int context;
};
// The keywords of keywords.txt ("keyword<TAB>context" per line) in file
// order; empty when the file cannot be read.  Malformed lines are skipped.
std::vector<HelpKeyword> help_keywords();
// The context of a keyword, compared without regard to case: an exact match
// first, else the first keyword that begins with the given text; -1 when
// none matches or the text is empty.
int help_keyword_context(const std::string& keyword);

struct HelpTopicHit {
    int context;
    std::string title;
};
// Full-text search over the topic pages of the help book: the topics whose
// text (without its markup) holds every word of words, compared without
// regard to case.  Topics whose title holds the words come first (the words
// as typed, then every word, then some), then those that use the words most;
// ties in context order.  Empty for no words.
std::vector<HelpTopicHit> search_help_topics(const std::string& words);
// The title of a topic page (its <title>), empty when it has none or cannot be read.
std::string help_topic_title(int context);
