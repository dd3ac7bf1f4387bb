#include "window/help_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/commands.h"
#include "app/help.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int WINDOW_WIDTH = 820, WINDOW_HEIGHT = 600;  // wanted size, pixels
constexpr int PANEL_WIDTH = 240;                         // the tabs' first width, pixels

// The parts of the one help window, which lives apart from the main window
// (it opens from dialogs too); all null while it is not open.
struct HelpWindow {
    QPointer<QWidget> window;
    QTabWidget* tabs = nullptr;
    QTextBrowser* contents = nullptr;
    QWidget* index_tab = nullptr;
    QLineEdit* index_filter = nullptr;
    QListWidget* index_list = nullptr;
    QLineEdit* search_words = nullptr;
    QListWidget* search_results = nullptr;
    QTextBrowser* topic = nullptr;
} help;

bool file_exists(const std::string& path) { return QFileInfo(to_qstring(path)).isFile(); }

// Index and search entries carry the topic's context.
void add_topic_item(QListWidget* list, const std::string& text, int context) {
    auto* item = new QListWidgetItem(to_qstring(text), list);
    item->setData(Qt::UserRole, context);
}

void show_topic_of_item(QListWidgetItem* item) {
    if (item) show_help_context(item->data(Qt::UserRole).toInt(), help.window);
}

// Hides the keywords that do not begin with the filter and selects the first one shown.
void filter_index(const QString& filter) {
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < help.index_list->count(); ++row) {
        QListWidgetItem* item = help.index_list->item(row);
        bool shown = item->text().startsWith(filter, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first) first = item;
    }
    help.index_list->setCurrentItem(first);
}

void run_search() {
    help.search_results->clear();
    for (const HelpTopicHit& hit : search_help_topics(from_qstring(help.search_words->text())))
        add_topic_item(help.search_results, hit.title, hit.context);
    if (help.search_results->count() == 0) {
        help.search_results->addItem(QStringLiteral("(no topic found)"));
        help.search_results->item(0)->setFlags(Qt::NoItemFlags);
    }
}

QWidget* make_contents_tab() {
    help.contents = new QTextBrowser;
    help.contents->setObjectName("help_contents");
    // A link chosen in the contents opens in the topic view.
    help.contents->setOpenLinks(false);
    QObject::connect(help.contents, &QTextBrowser::anchorClicked,
                     [](const QUrl& link) { help.topic->setSource(help.contents->source().resolved(link)); });
    return help.contents;
}

QWidget* make_index_tab() {
    help.index_tab = new QWidget;
    auto* layout = new QVBoxLayout(help.index_tab);
    help.index_filter = new QLineEdit;
    help.index_filter->setObjectName("help_index_filter");
    help.index_filter->setPlaceholderText(QStringLiteral("Type the first letters of a keyword"));
    help.index_list = new QListWidget;
    help.index_list->setObjectName("help_index_list");
    std::vector<HelpKeyword> keywords = help_keywords();
    std::sort(keywords.begin(), keywords.end(), [](const HelpKeyword& a, const HelpKeyword& b) {
        return QString::compare(to_qstring(a.keyword), to_qstring(b.keyword), Qt::CaseInsensitive) < 0;
    });
    for (const HelpKeyword& keyword : keywords) add_topic_item(help.index_list, keyword.keyword, keyword.context);
    layout->addWidget(help.index_filter);
    layout->addWidget(help.index_list);
    QObject::connect(help.index_filter, &QLineEdit::textChanged, filter_index);
    QObject::connect(help.index_filter, &QLineEdit::returnPressed,
                     [] { show_topic_of_item(help.index_list->currentItem()); });
    QObject::connect(help.index_list, &QListWidget::itemActivated, show_topic_of_item);
    return help.index_tab;
}

QWidget* make_search_tab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    help.search_words = new QLineEdit;
    help.search_words->setObjectName("help_search_words");
    help.search_words->setPlaceholderText(QStringLiteral("Words to find, then Enter"));
    help.search_results = new QListWidget;
    help.search_results->setObjectName("help_search_results");
    layout->addWidget(help.search_words);
    layout->addWidget(help.search_results);
    QObject::connect(help.search_words, &QLineEdit::returnPressed, run_search);
    QObject::connect(help.search_results, &QListWidget::itemActivated, show_topic_of_item);
    return tab;
}

QPushButton* add_button(QHBoxLayout* row, const char* text, void (QTextBrowser::*action)()) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    QObject::connect(button, &QPushButton::clicked, help.topic, action);
    row->addWidget(button);
    return button;
}

void build_help_window(QWidget* parent) {
    // A window of its own, kept above the program's window while both are open.
    help.window = new QWidget(parent, Qt::Window);
    help.window->setObjectName("help_window");
    help.window->setWindowTitle(to_qstring(std::string(load_string(STR_PRODUCT)) + " Help"));
    help.window->resize(WINDOW_WIDTH, WINDOW_HEIGHT);

    help.topic = new QTextBrowser;
    help.topic->setObjectName("help_topic");
    help.topic->setOpenExternalLinks(true);
    QObject::connect(help.topic, &QTextBrowser::sourceChanged, [] {
        help.window->setWindowTitle(to_qstring(std::string(load_string(STR_PRODUCT)) + " Help - ") +
                                    help.topic->documentTitle());
    });

    help.tabs = new QTabWidget;
    help.tabs->addTab(make_contents_tab(), QStringLiteral("Contents"));
    help.tabs->addTab(make_index_tab(), QStringLiteral("Index"));
    help.tabs->addTab(make_search_tab(), QStringLiteral("Search"));

    auto* right = new QWidget;
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    QPushButton* back = add_button(buttons, "Back", &QTextBrowser::backward);
    QPushButton* forward = add_button(buttons, "Forward", &QTextBrowser::forward);
    add_button(buttons, "Home", &QTextBrowser::home);
    buttons->addStretch();
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(help.topic, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QObject::connect(help.topic, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    right_layout->addLayout(buttons);
    right_layout->addWidget(help.topic);

    auto* splitter = new QSplitter;
    splitter->addWidget(help.tabs);
    splitter->addWidget(right);
    splitter->setSizes({PANEL_WIDTH, WINDOW_WIDTH - PANEL_WIDTH});
    auto* layout = new QHBoxLayout(help.window);
    layout->addWidget(splitter);
    // Closed as other windows of the desktop are: Esc, as in a dialog, and Ctrl+W.
    for (QKeySequence key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(key, help.window), &QShortcut::activated, help.window, &QWidget::close);

    QUrl contents = QUrl::fromLocalFile(to_qstring(help_book_path("contents.html")));
    help.contents->setSource(contents);
    // Home is the first page shown: the contents.
    help.topic->setSource(contents);
}

// A help window that is not showing opens beside the window it was asked
// from (the dialog of an F1), on that window's screen.
void place_help_window(QWidget* parent) {
    QWidget* owner = parent ? parent->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame the window manager adds around the help window's own area, as it adds it around the owner.
    QRect frame_of_owner = owner ? owner->frameGeometry() : QRect();
    QSize decoration = owner ? frame_of_owner.size() - owner->geometry().size() : QSize();
    QRect available = screen->availableGeometry();
    if (!owner) frame_of_owner = QRect(available.center(), QSize(0, 0));
    QRect place = place_beside(frame_of_owner, QSize(WINDOW_WIDTH, WINDOW_HEIGHT) + decoration, available);
    help.window->resize(place.size() - decoration);
    help.window->move(place.topLeft());
}

// The help window, made when it is not open; false (after an error box)
// when the help book is missing.
bool open_help_window(QWidget* parent) {
    std::string contents = help_book_path("contents.html");
    if (!file_exists(contents)) {
        show_error_text(("The help is not installed: cannot find " + contents + ".").c_str());
        return false;
    }
    if (!help.window) build_help_window(parent);
    // Asked from a modal dialog (F1 in it), the help is modal too: above the
    // dialog and taking its clicks, wheel and keys at once, where a window
    // the dialog blocks would take none; Esc gives the dialog back.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != help.window ? Qt::ApplicationModal : Qt::NonModal;
    if (help.window->windowModality() != modality) {
        help.window->hide();
        help.window->setWindowModality(modality);
    }
    if (!help.window->isVisible()) place_help_window(parent);
    help.window->show();
    help.window->raise();
    help.window->activateWindow();
    return true;
}

}  // namespace

void show_help_contents(QWidget* parent) {
    if (!open_help_window(parent)) return;
    help.tabs->setCurrentIndex(0);
    help.topic->setSource(QUrl::fromLocalFile(to_qstring(help_book_path("contents.html"))));
}

bool show_help_context(int context, QWidget* parent) {
    std::string path = help_topic_path(context);
    if (context < 0 || !file_exists(path)) {
        show_error_text(("No help topic " + std::to_string(context) + " (cannot find " + path + ").").c_str());
        return false;
    }
    if (!open_help_window(parent)) return false;
    help.topic->setSource(QUrl::fromLocalFile(to_qstring(path)));
    return true;
}

void show_help_keyword(const std::string& keyword, QWidget* parent) {
    int context = help_keyword_context(keyword);
    if (context >= 0) {
        show_help_context(context, parent);
        return;
    }
    open_help_search(parent);
    if (help.window) help.index_filter->setText(to_qstring(keyword));
}

void open_help_search(QWidget* parent) {
    if (!open_help_window(parent)) return;
    help.tabs->setCurrentWidget(help.index_tab);
    help.index_filter->clear();
    help.index_filter->setFocus();
}

bool run_help_command(int command, QWidget* parent) {
    const CommandEntry* row = find_command(command);
    switch (row ? row->window_action : WindowAction::None) {
    case WindowAction::HelpContents: show_help_contents(parent); return true;
    case WindowAction::HelpKeyword: show_help_keyword(row->help_keyword, parent); return true;
    case WindowAction::HelpSearch: open_help_search(parent); return true;
    case WindowAction::HelpTopic: show_help_context(row->help_context, parent); return true;
    default: return false;
    }
}

void close_help_window() {
    delete help.window;
    help = HelpWindow{};
}

QWidget* help_window() { return help.window; }

QRect place_beside(const QRect& owner, const QSize& wanted, const QRect& screen) {
    QSize size = wanted.boundedTo(screen.size());
    int room_right = screen.right() - owner.right(), room_left = owner.left() - screen.left();
    int x;
    const bool right_wider = room_right >= room_left;
    if (room_right >= size.width()) x = owner.right() + 1;
    else if (room_left >= size.width()) x = owner.left() - size.width();
    else if (std::max(room_right, room_left) >= size.width() / 2) {
        // Narrower, still beside the owner, rather than over it.
        size.setWidth(std::max(room_right, room_left));
        x = right_wider ? owner.right() + 1 : screen.left();
    } else {
        x = right_wider ? screen.right() + 1 - size.width() : screen.left();
    }
    int y = std::clamp(owner.top(), screen.top(), screen.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}
