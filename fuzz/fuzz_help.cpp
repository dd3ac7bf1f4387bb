// Fuzz target: the help book as the program reads it.  The input's first
// line is what the user types in the search and keyword boxes; the rest is
// split at the first NUL into keywords.txt and one topic page.
#include "app/help.h"
#include "fuzz/fuzz_support.h"

#include <sys/stat.h>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool made = mkdir((fuzz::scratch_folder() + "/help").c_str(), 0700) == 0;
    (void)made;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t line_end = std::min(input.find('\n'), input.size());
    const std::string typed(input.substr(0, line_end));
    const std::string_view rest = input.substr(std::min(line_end + 1, input.size()));
    const std::size_t split = std::min(rest.find('\0'), rest.size());
    fuzz::put_file("help/keywords.txt", rest.substr(0, split));
    fuzz::put_file("help/topic-300.html", rest.substr(std::min(split + 1, rest.size())));

    for (const HelpKeyword& keyword : help_keywords()) fuzz::require(!keyword.keyword.empty(), "named keywords");
    help_keyword_context(typed);
    help_topic_title(300);
    for (const HelpTopicHit& hit : search_help_topics(typed)) fuzz::require(hit.context == 300, "the one page");
    return 0;
}
