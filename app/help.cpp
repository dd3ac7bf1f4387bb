#include "app/help.h"

#include <cctype>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/files.h"

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string title_of_page(const std::string& page) {
    std::string lowered = lower(page);
    std::size_t start = lowered.find("<title>");
    std::size_t end = lowered.find("</title>");
    if (start == std::string::npos || end == std::string::npos || end < start) return "";
    start += 7;
    return page.substr(start, end - start);
}

// The page's words without tags, lower case; entities become blanks, so that
// "&nbsp;" separates words.
std::string plain_text_of_page(const std::string& page) {
    std::string text;
    bool in_tag = false, in_entity = false;
    for (char c : page) {
        if (in_tag) in_tag = c != '>';
        else if (in_entity) in_entity = c != ';';
        else if (c == '<') in_tag = true;
        else if (c == '&') in_entity = true;
        if (in_tag || in_entity || c == '>' || c == ';') text += ' ';
        else text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The context number of a topic page's file name "topic-NNN.html", -1 for any other file.
int context_of_file_name(const std::string& name) {
    const std::string head = "topic-", tail = ".html";
    if (name.size() <= head.size() + tail.size() || name.size() > head.size() + tail.size() + 6 ||
        name.compare(0, head.size(), head) != 0 || name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return -1;
    std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    bool all_digits = std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return all_digits ? std::stoi(digits) : -1;
}

}  // namespace

int help_context_of(int command) {
    const CommandEntry* row = find_command(command);
    return row ? row->help_context : -1;
}

int dialog_help_context(DialogId dialog) {
    switch (dialog) {
    case DIAL_YEAR: return 1015;
    case DIAL_YEAR_MONTH: return 1016;
    case DIAL_YEAR_MR: return 1017;
    case DIAL_YEAR_RANGE: return 1018;
    case DIAL_PLANETS: return 1008;
    case DIAL_PLANET_ANGLE: return 506;
    case DIAL_PLANET_APSIDES: return 407;
    case DIAL_EC_MOVIES: return 602;
    case DIAL_DN_MOVIE: return 603;
    case DIAL_JM_MOVIES: return 601;
    case DIAL_JM_GRAPH: return 500;
    case DIAL_BS_MOVIE: return 604;
    case DIAL_PL_MOVIE: return 600;
    case DIAL_SET_LOCATION: return 300;
    case DIAL_ASSIGN_COLORS: return 301;
    case DIAL_ABOUT: return 907;
    case DIAL_NONE: break;
    }
    return -1;
}

std::string help_book_path(const std::string& name) { return data_file_path("help/" + name); }

std::string help_topic_path(int context) {
    char name[32];
    std::snprintf(name, sizeof name, "topic-%03d.html", context);
    return help_book_path(name);
}

std::vector<HelpKeyword> help_keywords() {
    std::vector<HelpKeyword> keywords;
    std::ifstream file(help_book_path("keywords.txt"));
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0) continue;
        try {
            int context = std::stoi(line.substr(tab + 1));
            keywords.push_back({line.substr(0, tab), context});
        } catch (const std::exception&) {
            // A line without a number is no keyword.
        }
    }
    return keywords;
}

int help_keyword_context(const std::string& keyword) {
    if (keyword.empty()) return -1;
    std::string wanted = lower(keyword);
    int prefix_match = -1;
    for (const HelpKeyword& entry : help_keywords()) {
        std::string known = lower(entry.keyword);
        if (known == wanted) return entry.context;
        if (prefix_match < 0 && known.compare(0, wanted.size(), wanted) == 0) prefix_match = entry.context;
    }
    return prefix_match;
}

std::string help_topic_title(int context) { return title_of_page(read_file(help_topic_path(context))); }

namespace {

std::size_t count_occurrences(const std::string& text, const std::string& word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
    return count;
}

// How well a topic answers the words, best first: the title holding the
// words as typed, then the title holding every word, then the title holding
// some of them, and within each rank the topic that uses the words most.
struct SearchRank {
    int title_rank = 0;  // 3 the phrase, 2 every word, 1 some word, 0 none
    std::size_t uses = 0;
    auto operator<=>(const SearchRank&) const = default;
};

SearchRank rank_topic(const std::string& title, const std::string& text, const std::vector<std::string>& wanted,
                      const std::string& phrase) {
    std::string lowered_title = lower(title);
    SearchRank rank;
    std::size_t in_title = 0;
    for (const std::string& word : wanted) {
        if (lowered_title.find(word) != std::string::npos) ++in_title;
        rank.uses += count_occurrences(text, word);
    }
    if (lowered_title.find(phrase) != std::string::npos) rank.title_rank = 3;
    else if (in_title == wanted.size()) rank.title_rank = 2;
    else if (in_title > 0) rank.title_rank = 1;
    return rank;
}

}  // namespace

std::vector<HelpTopicHit> search_help_topics(const std::string& words) {
    std::vector<std::string> wanted;
    std::istringstream split(lower(words));
    for (std::string word; split >> word;) wanted.push_back(word);
    if (wanted.empty()) return {};
    std::string phrase = wanted.front();
    for (std::size_t i = 1; i < wanted.size(); ++i) phrase += " " + wanted[i];
    struct RankedHit {
        SearchRank rank;
        HelpTopicHit hit;
    };
    std::vector<RankedHit> ranked;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(help_book_path(""), error)) {
        int context = context_of_file_name(entry.path().filename().string());
        if (context < 0) continue;
        std::string page = read_file(entry.path().string());
        std::string text = plain_text_of_page(page);
        bool all = std::all_of(wanted.begin(), wanted.end(),
                               [&text](const std::string& word) { return text.find(word) != std::string::npos; });
        if (!all) continue;
        std::string title = title_of_page(page);
        ranked.push_back({rank_topic(title, text, wanted, phrase), {context, title}});
    }
    std::sort(ranked.begin(), ranked.end(), [](const RankedHit& a, const RankedHit& b) {
        if (a.rank != b.rank) return a.rank > b.rank;
        return a.hit.context < b.hit.context;
    });
    std::vector<HelpTopicHit> hits;
    for (const RankedHit& r : ranked) hits.push_back(r.hit);
    return hits;
}
