// The dialogs are built from a few kinds of controls, each bound to one part
// of a DialogEntry: number fields to its texts, check boxes to its bit sets
// and flags, radio buttons to its choices.  OK reads every control back into
// the entry the dialog opened with, so fields a mode hides keep their values.
#include "window/parameter_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/city_list.h"
#include "app/commands.h"
#include "app/help.h"
#include "engine/clock.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "format/numbers.h"
#include "movies/star_catalogue.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "platform/text_encoding.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "window/help_window.h"

namespace {

constexpr int NAMED_STARS = 284;            // the Planetarium dialog's star list
constexpr int ABOUT_ICON_SIZE = 64;         // the About box's icon, logical pixels
constexpr int STAR_LIST_ROWS = 12;          // names the Planetarium's star list shows at least
constexpr int EDIT_FRAME_PIXELS = 16;       // a line edit's frame and margins around its text
enum LabelId {
    LBL_YEAR = 2160, LBL_MONTH, LBL_START_MONTH, LBL_STOP_MONTH, LBL_START_YEAR, LBL_STOP_YEAR,
    LBL_DAY, LBL_HOUR, LBL_MINUTE, LBL_TIME_SPEED, LBL_VIEW_ANGLE, LBL_PLANETS, LBL_DISTANCE,
    LBL_FROM_EARTH, LBL_FROM_SUN, LBL_MAIN_PLANET, LBL_OTHER_PLANETS, LBL_MOONS, LBL_LABEL_PLANETS,
    LBL_LABEL_MOONS, LBL_NUMBER_MOONS, LBL_NOW, LBL_SPEED_GROUP, LBL_BINARY_STAR, LBL_LOCATION,
    LBL_LATITUDE, LBL_LONGITUDE, LBL_NORTH, LBL_SOUTH, LBL_WEST, LBL_EAST, LBL_ELEVATION,
    LBL_TIME_ZONE, LBL_SAVE, LBL_ABOUT_LINE, LBL_ABOUT_TITLE, LBL_SET_LOCATION, LBL_BODY, LBL_VIEW,
    LBL_TRACK_BODY, LBL_PRINTER_MESSAGE, LBL_TURBO, LBL_SUN_MOON, LBL_STARS, LBL_STAR, LBL_STAR_LIST,
    LBL_ZONE_SIGN = 2211, LBL_FACING, LBL_ALTITUDE, LBL_MAGNITUDE_LIMIT, LBL_CONSTELLATIONS, LBL_STAR_NAMES,
    LBL_ZONE_NAME = 2466,
};

QString text_of(int id) { return to_qstring(load_string(id)); }

// A dialog being built: its controls by control id, the number fields by the
// entry text they edit, and what OK reads back into the entry.
struct Form {
    QDialog* dialog = nullptr;
    QGridLayout* fields = nullptr;  // label and edit rows
    QVBoxLayout* column = nullptr;  // fields, groups, buttons
    QDialogButtonBox* buttons = nullptr;
    DialogEntry entry;
    std::map<int, QWidget*> controls;
    std::vector<std::pair<QLineEdit*, std::string DialogEntry::*>> edits;
    std::vector<std::function<void(DialogEntry&)>> readers;
};

// Every control is known by its control id, also as its object name.
void register_control(Form& f, int control, QWidget* widget) {
    f.controls[control] = widget;
    widget->setObjectName(QString::number(control));
}

// A labelled number field on the next row; returns its label and edit.
std::pair<QLabel*, QLineEdit*> add_field(Form& f, int label, int control, std::string DialogEntry::*text) {
    auto* edit = new QLineEdit(to_qstring(f.entry.*text));
    auto* caption = new QLabel(text_of(label));
    caption->setBuddy(edit);
    int row = f.fields->rowCount();
    f.fields->addWidget(caption, row, 0);
    f.fields->addWidget(edit, row, 1);
    register_control(f, control, edit);
    f.edits.push_back({edit, text});
    f.readers.push_back([edit, text](DialogEntry& e) { e.*text = from_qstring(edit->text()); });
    return {caption, edit};
}

void hide_field(const std::pair<QLabel*, QLineEdit*>& field) {
    field.first->hide();
    field.second->hide();
}

// The date and time fields (113-117) and the Now button, which fills them with
// the present time on the place's clock.
void add_date_time(Form& f) {
    add_field(f, LBL_YEAR, CTL_DATE_YEAR, &DialogEntry::year);
    add_field(f, LBL_MONTH, CTL_DATE_MONTH, &DialogEntry::month);
    add_field(f, LBL_DAY, CTL_DATE_DAY, &DialogEntry::day);
    add_field(f, LBL_HOUR, CTL_DATE_HOUR, &DialogEntry::hour);
    add_field(f, LBL_MINUTE, CTL_DATE_MINUTE, &DialogEntry::minute);
    QPushButton* now = f.buttons->addButton(text_of(LBL_NOW), QDialogButtonBox::ActionRole);
    now->setAutoDefault(false);
    register_control(f, CTL_NOW, now);
    QObject::connect(now, &QPushButton::clicked, [&f] {
        DialogEntry clock;
        set_entry_date_time(clock, ut_to_clock(app_state().sky.location, ut_now()));
        for (auto [edit, text] : f.edits)
            if (text == &DialogEntry::year || text == &DialogEntry::month || text == &DialogEntry::day ||
                text == &DialogEntry::hour || text == &DialogEntry::minute)
                edit->setText(to_qstring(clock.*text));
    });
}

// A titled group under the fields, or in row when given.
QGroupBox* add_group(Form& f, int title, QBoxLayout* row = nullptr) {
    auto* group = new QGroupBox(text_of(title));
    new QVBoxLayout(group);
    (row ? row : f.column)->addWidget(group);
    return group;
}

// Check boxes for bits first_bit.. of a set; box i is control first_control + i.
std::vector<QCheckBox*> add_set_boxes(Form& f, QGroupBox* group, int first_control, int first_bit, int count,
                                      int first_name, int DialogEntry::*set) {
    std::vector<QCheckBox*> boxes;
    for (int i = 0; i < count; ++i) {
        auto* box = new QCheckBox(text_of(first_name + i));
        box->setChecked((f.entry.*set >> (first_bit + i)) & 1);
        group->layout()->addWidget(box);
        register_control(f, first_control + i, box);
        boxes.push_back(box);
    }
    int mask = ((1 << count) - 1) << first_bit;
    f.readers.push_back([boxes, first_bit, mask, set](DialogEntry& e) {
        e.*set &= ~mask;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i]->isChecked()) e.*set |= 1 << (first_bit + static_cast<int>(i));
    });
    return boxes;
}

// A check box for a 0/1 flag of the entry, under the fields or in layout when given.
void add_flag_box(Form& f, int text, int control, int DialogEntry::*flag, QLayout* layout = nullptr) {
    auto* box = new QCheckBox(text_of(text));
    box->setChecked(f.entry.*flag != 0);
    (layout ? layout : f.column)->addWidget(box);
    register_control(f, control, box);
    f.readers.push_back([box, flag](DialogEntry& e) { e.*flag = box->isChecked() ? 1 : 0; });
}

// Radio buttons for the values first_value.. of a choice; button i is control first_control + i.
std::vector<QRadioButton*> add_choice(Form& f, QGroupBox* group, int first_control, int first_value, int count,
                                      int first_name, int DialogEntry::*choice) {
    std::vector<QRadioButton*> buttons;
    auto* exclusive = new QButtonGroup(group);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(text_of(first_name + i));
        button->setChecked(f.entry.*choice == first_value + i);
        exclusive->addButton(button, first_value + i);
        group->layout()->addWidget(button);
        register_control(f, first_control + i, button);
        buttons.push_back(button);
    }
    f.readers.push_back([exclusive, choice](DialogEntry& e) {
        if (exclusive->checkedId() >= 0) e.*choice = exclusive->checkedId();
    });
    return buttons;
}

// Check boxes for the planets first .. id_of(Body::Pluto); box of body b is control first_control + b - first.
std::vector<QCheckBox*> add_planet_boxes(Form& f, int title, int first_control, int first, int last = id_of(Body::Pluto),
                                         QBoxLayout* row = nullptr) {
    return add_set_boxes(f, add_group(f, title, row), first_control, first, last - first + 1, STR_FIRST_BODY_NAME + first,
                         &DialogEntry::planet_set);
}

void add_moon_boxes(Form& f) {
    add_set_boxes(f, add_group(f, LBL_MOONS), CTL_FIRST_MOON, 0, 4, STR_FIRST_MOON, &DialogEntry::moon_set);
}

// DIAL_PLANETS: Earth shown or not, the distance choice shown or not, the
// month fields shown or not; the Earth box is off while From Earth is chosen.
void build_planets(Form& f, const CommandParams& p) {
    add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
    auto start = add_field(f, LBL_START_MONTH, CTL_MONTH, &DialogEntry::month);
    auto stop = add_field(f, LBL_STOP_MONTH, CTL_STOP_MONTH, &DialogEntry::end_month);
    if (!p.months_offered) hide_field(start), hide_field(stop);
    QCheckBox* earth = add_planet_boxes(f, LBL_PLANETS, CTL_FIRST_PLANET, id_of(Body::Earth)).front();
    if (!p.earth_offered) earth->hide();
    QGroupBox* distance = add_group(f, LBL_DISTANCE);
    std::vector<QRadioButton*> choice = add_choice(f, distance, 128, 0, 2, LBL_FROM_EARTH, &DialogEntry::distance_from_sun);
    if (!p.distance_offered) {
        distance->hide();
        return;
    }
    auto from_earth_chosen = [earth](bool from_earth) {
        if (from_earth) earth->setChecked(false);
        earth->setEnabled(!from_earth);
    };
    from_earth_chosen(choice[0]->isChecked());
    QObject::connect(choice[0], &QRadioButton::toggled, from_earth_chosen);
}

// DIAL_PLANET_ANGLE: the main planet's own box among the others is off.
void build_planet_angle(Form& f) {
    add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
    add_field(f, LBL_MONTH, CTL_ANGLE_MONTH, &DialogEntry::month);
    auto* row = new QHBoxLayout;
    f.column->addLayout(row);
    std::vector<QRadioButton*> mains = add_choice(f, add_group(f, LBL_MAIN_PLANET, row), 117, id_of(Body::Mercury), 8,
                                                  STR_FIRST_BODY_NAME + id_of(Body::Mercury), &DialogEntry::main_planet);
    std::vector<QCheckBox*> others =
        add_planet_boxes(f, LBL_OTHER_PLANETS, CTL_ANGLE_FIRST_OTHER, id_of(Body::Mercury), id_of(Body::Pluto), row);
    for (size_t i = 0; i < mains.size(); ++i) {
        QCheckBox* own = others[i];
        auto main_chosen = [own](bool chosen) {
            if (chosen) own->setChecked(false);
            own->setEnabled(!chosen);
        };
        main_chosen(mains[i]->isChecked());
        QObject::connect(mains[i], &QRadioButton::toggled, main_chosen);
    }
}

// The binary stars' list (143), the entry's choice selected.
void add_binary_star_list(Form& f) {
    auto* list = new QListWidget;
    for (int i = 0; i < BINARY_STAR_COUNT; ++i) list->addItem(text_of(STR_FIRST_BINARY_STAR + i));
    if (f.entry.binary_star >= 0 && f.entry.binary_star < BINARY_STAR_COUNT) list->setCurrentRow(f.entry.binary_star);
    auto* caption = new QLabel(text_of(LBL_BINARY_STAR));
    caption->setBuddy(list);
    f.column->addWidget(caption);
    f.column->addWidget(list);
    register_control(f, CTL_BINARY_STAR_LIST, list);
    f.readers.push_back([list](DialogEntry& e) {
        e.binary_star = list->selectedItems().isEmpty() ? -1 : list->currentRow();
    });
}

// DIAL_PL_MOVIE: the body to centre (Sun, Moon, Mercury .. Pluto or a star,
// whose list shows only while Star is chosen), what to view, turbo and labels;
// the horizon view's facing and altitude, the magnitude limit, constellations
// and star names.
// The list holds the catalogue's named stars; the entry keeps a record index.
void build_planetarium(Form& f) {
    add_date_time(f);
    add_field(f, LBL_TIME_SPEED, CTL_PL_TIME_SPEED, &DialogEntry::time_speed);
    add_field(f, LBL_VIEW_ANGLE, CTL_PL_VIEW_ANGLE, &DialogEntry::view_angle);
    add_flag_box(f, LBL_TURBO, CTL_PL_TURBO, &DialogEntry::turbo);
    add_field(f, LBL_FACING, CTL_PL_FACING, &DialogEntry::facing);
    add_field(f, LBL_ALTITUDE, CTL_PL_ALTITUDE, &DialogEntry::altitude);
    add_field(f, LBL_MAGNITUDE_LIMIT, CTL_PL_MAGNITUDE_LIMIT, &DialogEntry::magnitude_limit);
    add_flag_box(f, LBL_CONSTELLATIONS, CTL_PL_CONSTELLATIONS, &DialogEntry::constellations);
    add_flag_box(f, LBL_STAR_NAMES, CTL_PL_STAR_NAMES, &DialogEntry::star_names);
    auto* row = new QHBoxLayout;
    f.column->addLayout(row);
    QGroupBox* bodies = add_group(f, LBL_BODY, row);
    auto* exclusive = new QButtonGroup(bodies);
    for (int body = id_of(Body::Sun); body <= PLANETARIUM_STAR_BODY; ++body) {
        if (body == id_of(Body::Earth)) continue;
        auto* button = new QRadioButton(text_of(body == PLANETARIUM_STAR_BODY ? LBL_STAR : STR_FIRST_BODY_NAME + body));
        button->setChecked(f.entry.planetarium_body == body);
        exclusive->addButton(button, body);
        bodies->layout()->addWidget(button);
        register_control(f, CTL_PL_FIRST_BODY + body, button);
    }
    QGroupBox* view = add_group(f, LBL_VIEW, row);
    add_flag_box(f, LBL_TRACK_BODY, CTL_PL_TRACK_BODY, &DialogEntry::track_body, view->layout());
    add_flag_box(f, LBL_SUN_MOON, CTL_PL_VIEW_SUN_MOON, &DialogEntry::view_sun_moon, view->layout());
    add_flag_box(f, LBL_PLANETS, CTL_PL_VIEW_SUN_MOON + 1, &DialogEntry::view_planets, view->layout());
    add_flag_box(f, LBL_STARS, CTL_PL_VIEW_SUN_MOON + 2, &DialogEntry::view_stars, view->layout());
    add_flag_box(f, LBL_LABEL_PLANETS, 173, &DialogEntry::label_planets, view->layout());

    const StarCatalogue* catalogue = app_state().star_catalogue.get();
    const std::vector<int> stars = catalogue ? named_star_list(*catalogue) : std::vector<int>{};
    if (stars.size() != NAMED_STARS) fatal_error(MSG_INTERNAL_ERROR, "DIAL", __LINE__);
    auto* list = new QListWidget;
    for (int record : stars) list->addItem(to_qstring(star_list_label(catalogue->stars[record])));
    // No star chosen yet (-1): the first row of the list.
    auto chosen = std::find(stars.begin(), stars.end(), f.entry.planetarium_star);
    list->setCurrentRow(chosen == stars.end() ? 0 : static_cast<int>(chosen - stars.begin()));
    list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
    // Beside the Body and View groups, as tall as they are, with room for a dozen names.
    list->setMinimumHeight(STAR_LIST_ROWS * list->sizeHintForRow(0) + 2 * list->frameWidth());
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                          2 * list->frameWidth());
    auto* caption = new QLabel(text_of(LBL_STAR_LIST));
    caption->setBuddy(list);
    caption->setObjectName("170");
    auto* star_column = new QVBoxLayout;
    star_column->addWidget(caption);
    star_column->addWidget(list, 1);
    row->addLayout(star_column);
    register_control(f, CTL_PL_STAR_LIST, list);
    auto star_chosen = [list, caption](bool chosen) {
        list->setVisible(chosen);
        caption->setVisible(chosen);
    };
    star_chosen(f.entry.planetarium_body == PLANETARIUM_STAR_BODY);
    QObject::connect(exclusive->button(PLANETARIUM_STAR_BODY), &QRadioButton::toggled, star_chosen);
    f.readers.push_back([exclusive, list, stars](DialogEntry& e) {
        if (exclusive->checkedId() >= 0) e.planetarium_body = exclusive->checkedId();
        e.planetarium_star = list->selectedItems().isEmpty() ? -1 : stars[list->currentRow()];
    });
}

// The controls of dialog, in the order they are shown.
void build_controls(Form& f, DialogId dialog, const CommandParams& p) {
    switch (dialog) {
    case DIAL_YEAR: add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year); break;
    case DIAL_YEAR_MONTH:
        add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
        add_field(f, LBL_MONTH, CTL_MONTH, &DialogEntry::month);
        break;
    case DIAL_YEAR_MR:
        add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
        add_field(f, LBL_START_MONTH, CTL_MONTH, &DialogEntry::month);
        add_field(f, LBL_STOP_MONTH, CTL_STOP_MONTH, &DialogEntry::end_month);
        break;
    case DIAL_YEAR_RANGE:
    case DIAL_PLANET_APSIDES: {
        bool apsides = dialog == DIAL_PLANET_APSIDES;
        add_field(f, LBL_START_YEAR, apsides ? CTL_APSIDES_START_YEAR : CTL_START_YEAR, &DialogEntry::year);
        add_field(f, LBL_STOP_YEAR, apsides ? CTL_APSIDES_STOP_YEAR : CTL_STOP_YEAR, &DialogEntry::end_year);
        if (apsides) add_planet_boxes(f, LBL_PLANETS, CTL_FIRST_PLANET, id_of(Body::Earth), id_of(Body::Saturn));
        break;
    }
    case DIAL_PLANETS: build_planets(f, p); break;
    case DIAL_PLANET_ANGLE: build_planet_angle(f); break;
    case DIAL_EC_MOVIES: {
        add_date_time(f);
        add_field(f, LBL_TIME_SPEED, CTL_TIME_SPEED, &DialogEntry::time_speed);
        auto angle = add_field(f, LBL_VIEW_ANGLE, CTL_VIEW_ANGLE, &DialogEntry::view_angle);
        // The side view has no field of view to zoom; the hidden field is still checked.
        if (const CommandEntry* row = find_command(p.movie_command); row && !row->zoomable) hide_field(angle);
        add_planet_boxes(f, LBL_PLANETS, CTL_MOVIE_FIRST_PLANET, id_of(Body::Earth));
        add_flag_box(f, LBL_LABEL_PLANETS, 161, &DialogEntry::label_planets);
        break;
    }
    case DIAL_DN_MOVIE:
        add_date_time(f);
        add_choice(f, add_group(f, LBL_SPEED_GROUP), 106, 0, 5, STR_FIRST_SPEED, &DialogEntry::speed_index);
        break;
    case DIAL_JM_MOVIES:
        add_date_time(f);
        add_field(f, LBL_TIME_SPEED, CTL_TIME_SPEED, &DialogEntry::time_speed);
        add_moon_boxes(f);
        add_flag_box(f, LBL_LABEL_MOONS, 141, &DialogEntry::number_moons);
        break;
    case DIAL_JM_GRAPH:
        add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
        add_field(f, LBL_MONTH, CTL_JM_MONTH, &DialogEntry::month);
        add_moon_boxes(f);
        add_flag_box(f, LBL_NUMBER_MOONS, 141, &DialogEntry::number_moons);
        break;
    case DIAL_BS_MOVIE:
        add_field(f, LBL_YEAR, CTL_YEAR, &DialogEntry::year);
        add_field(f, LBL_TIME_SPEED, CTL_TIME_SPEED, &DialogEntry::time_speed);
        add_field(f, LBL_VIEW_ANGLE, CTL_VIEW_ANGLE, &DialogEntry::view_angle);
        add_binary_star_list(f);
        break;
    case DIAL_PL_MOVIE: build_planetarium(f); break;
    default: break;
    }
}

// A refusal: the message, then the named control focused (an edit's text selected).
void refuse(const Form& f, const DialogError& error) {
    show_error(error.message_id);
    auto it = f.controls.find(error.control_id);
    if (it == f.controls.end()) return;
    it->second->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(it->second)) edit->selectAll();
}

// A dialog with the fields' grid on top and OK and Cancel waiting to be
// placed under the controls (finish_form); OK runs ok, which closes the dialog or not.
void start_form(Form& f, QDialog& dialog, const QString& title, int help_context, const std::function<void()>& ok) {
    f.dialog = &dialog;
    dialog.setWindowTitle(title);
    add_help_key(dialog, help_context);
    f.column = new QVBoxLayout(&dialog);
    f.fields = new QGridLayout;
    f.column->addLayout(f.fields);
    f.buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(f.buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, ok);
    QObject::connect(f.buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
}

// Alt and a letter reach every field, box and button: each label with a
// field, check box, radio button and push button takes the first letter of
// its text that no other control of the dialog has taken yet (the start of a
// word first), unless its text names one already.
void assign_mnemonics(QDialog& dialog) {
    std::vector<std::pair<QWidget*, QString>> texts;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) texts.push_back({widget, label->text()});
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts.push_back({widget, button->text()});
    }
    QString taken;
    for (const auto& [widget, text] : texts)
        if (int at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size()) taken += text[at + 1].toLower();
    for (const auto& [widget, text] : texts) {
        if (text.contains(QLatin1Char('&'))) continue;
        int chosen = -1;
        for (bool word_start : {true, false}) {
            for (int i = 0; i < text.size() && chosen < 0; ++i) {
                const QChar c = text[i].toLower();
                const bool starts = i == 0 || !text[i - 1].isLetter();
                if (c >= QLatin1Char('a') && c <= QLatin1Char('z') && !taken.contains(c) && (starts || !word_start))
                    chosen = i;
            }
        }
        if (chosen < 0) continue;
        taken += text[chosen].toLower();
        const QString marked = QString(text).insert(chosen, QLatin1Char('&'));
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(marked);
        else static_cast<QAbstractButton*>(widget)->setText(marked);
    }
}

void finish_form(Form& f) {
    f.column->addWidget(f.buttons);
    assign_mnemonics(*f.dialog);
}

// The first field the dialog shows gets the keys, its text selected: what is
// typed replaces the old value instead of adding to it.
// (A combo box takes the focus for its own line edit.)
void select_first_field(QLineEdit* edit, QWidget* focus = nullptr) {
    (focus ? focus : edit)->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

}  // namespace

bool run_parameter_dialog(DialogId dialog, CommandParams& params, QWidget* parent) {
    params.cancelled = false;
    QDialog window(parent);
    Form f;
    f.entry = dialog_entry_from(dialog, params);
    // Titled with the command's name, so the user sees what is asked for.
    QString title = text_of(params.caption ? params.caption : STR_PRODUCT);
    start_form(f, window, title, dialog_help_context(dialog), [&] {
        DialogEntry entry = f.entry;
        for (const auto& read : f.readers) read(entry);
        if (DialogError error = apply_dialog(dialog, entry, params); error.message_id) refuse(f, error);
        else window.accept();
    });
    build_controls(f, dialog, params);
    finish_form(f);
    for (auto [edit, text] : f.edits)
        if (!edit->isHidden()) {
            select_first_field(edit);
            break;
        }
    params.cancelled = window.exec() != QDialog::Accepted;
    if (!params.cancelled) remember_dialog_values(params);
    return !params.cancelled;
}

namespace {

// The Set Location dialog's fields: degrees, minutes, seconds of latitude
// and longitude, their hemispheres, elevation and time zone.
struct LocationFields {
    QComboBox* city = nullptr;
    QLineEdit* latitude[3] = {};
    QLineEdit* longitude[3] = {};
    QRadioButton* hemisphere[4] = {};  // by CompassCode
    QLineEdit* elevation = nullptr;
    QLineEdit* time_zone = nullptr;
    QLineEdit* zone_name = nullptr;  // the IANA zone, completed from the database's names
    std::string last_name;  // the name the fields were last filled for
};

// A label whose mnemonic gives the keys to field.
QLabel* labelled(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

QString two_digits(int value) { return QString::asprintf("%02d", value); }

// Shows a city, or zeros with North and West for none.
void show_city(LocationFields& l, const CityRecord* found) {
    CityRecord city = found ? *found : CityRecord{};
    l.latitude[0]->setText(QString::number(city.latitude_degrees));
    l.latitude[1]->setText(two_digits(city.latitude_minutes));
    l.latitude[2]->setText(two_digits(city.latitude_seconds));
    l.longitude[0]->setText(QString::number(city.longitude_degrees));
    l.longitude[1]->setText(two_digits(city.longitude_minutes));
    l.longitude[2]->setText(two_digits(city.longitude_seconds));
    l.hemisphere[city.latitude_hemisphere]->setChecked(true);
    l.hemisphere[city.longitude_hemisphere]->setChecked(true);
    l.elevation->setText(QString::number(city.elevation));
    std::string zone = format_fixed(city.time_zone, 6, 2);
    zone.erase(std::remove(zone.begin(), zone.end(), ' '), zone.end());
    l.time_zone->setText(to_qstring(zone));
    l.zone_name->setText(to_qstring(city.zone));
}

// Completes city names from the plain forms the items carry (their
// Qt::UserRole), comparing what is typed in the same plain form, and puts the
// city's own name in the field.
class CityNameCompleter : public QCompleter {
public:
    using QCompleter::QCompleter;
    QStringList splitPath(const QString& typed) const override {
        return {to_qstring(without_accents_or_case(from_qstring(typed)))};
    }
    QString pathFromIndex(const QModelIndex& index) const override { return index.data(Qt::DisplayRole).toString(); }
};

// The combo box's text changed: a new name shows its city's fields.
void city_name_changed(LocationFields& l) {
    std::string name = normalize_city_name(from_qstring(l.city->currentText()));
    if (name == l.last_name) return;
    l.last_name = name;
    show_city(l, find_city(name));
}

// A field as wide as chars digits (and its frame), in columns column.. of row.
QLineEdit* add_location_edit(Form& f, int control, int row, int column, int chars, int columns = 1) {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + EDIT_FRAME_PIXELS);
    f.fields->addWidget(edit, row, column, 1, columns, Qt::AlignLeft);
    register_control(f, control, edit);
    return edit;
}

// An angle's row: label, degrees, minutes and seconds (controls first, +1,
// +3), each followed by its unit mark, then the two hemispheres.
void add_angle_row(Form& f, int row, int label, int first_control, QLineEdit* (&parts)[3], QRadioButton* first,
                   QRadioButton* second) {
    constexpr const char* UNIT_MARKS[3] = {"\u00B0", "\u2032", "\u2033"};  // degree, minute and second marks (UTF-8)
    static constexpr int CONTROL_OFFSETS[3] = {0, 1, 3};
    auto* caption = new QLabel(text_of(label));
    f.fields->addWidget(caption, row, 0);
    for (int part = 0; part < 3; ++part) {
        parts[part] = add_location_edit(f, first_control + CONTROL_OFFSETS[part], row, 1 + 2 * part, part ? 2 : 3);
        f.fields->addWidget(new QLabel(QString::fromUtf8(UNIT_MARKS[part])), row, 2 + 2 * part);
    }
    caption->setBuddy(parts[0]);
    auto* group = new QButtonGroup(f.dialog);
    group->addButton(first);
    group->addButton(second);
    f.fields->addWidget(first, row, 7);
    f.fields->addWidget(second, row, 8);
}

// OK and Save: checks the fields; on success the work copy and the city list take them.
bool store_location(const Form& f, const LocationFields& l, SkyContext& work_copy, bool save) {
    if (!fits_latin1(l.city->currentText())) {  // the city list holds Latin-1 names only
        refuse(f, {MSG_LOCATION_NAME_CHARACTERS, 115});
        return false;
    }
    LocationEntry e;
    e.name = from_qstring(l.city->currentText());
    e.latitude_degrees = from_qstring(l.latitude[0]->text());
    e.latitude_minutes = from_qstring(l.latitude[1]->text());
    e.latitude_seconds = from_qstring(l.latitude[2]->text());
    e.latitude_hemisphere = l.hemisphere[COMPASS_SOUTH]->isChecked() ? COMPASS_SOUTH : COMPASS_NORTH;
    e.longitude_degrees = from_qstring(l.longitude[0]->text());
    e.longitude_minutes = from_qstring(l.longitude[1]->text());
    e.longitude_seconds = from_qstring(l.longitude[2]->text());
    e.longitude_hemisphere = l.hemisphere[COMPASS_EAST]->isChecked() ? COMPASS_EAST : COMPASS_WEST;
    e.elevation = from_qstring(l.elevation->text());
    e.time_zone = from_qstring(l.time_zone->text());
    e.zone = from_qstring(l.zone_name->text());
    Location location = work_copy.location;
    if (DialogError error = apply_location_entry(e, location); error.message_id) {
        refuse(f, error);
        return false;
    }
    work_copy.location = location;
    const CityRecord city = city_of_entry(e, location);
    store_city(city.name, city.latitude_degrees, city.latitude_minutes, city.latitude_seconds,
               city.latitude_hemisphere, city.longitude_degrees, city.longitude_minutes, city.longitude_seconds,
               city.longitude_hemisphere, city.time_zone, city.elevation, false, city.zone);
    if (save) save_cities();
    return true;
}

}  // namespace

bool run_set_location_dialog(SkyContext& work_copy, QWidget* parent) {
    QDialog window(parent);
    Form f;
    LocationFields l;
    start_form(f, window, text_of(LBL_SET_LOCATION), dialog_help_context(DIAL_SET_LOCATION), [&] {
        if (store_location(f, l, work_copy, false)) window.accept();
    });
    QPushButton* save = f.buttons->addButton(text_of(LBL_SAVE), QDialogButtonBox::ActionRole);
    QObject::connect(save, &QPushButton::clicked, [&] {
        if (store_location(f, l, work_copy, true)) window.accept();
    });

    l.city = new QComboBox;
    l.city->setEditable(true);
    l.city->lineEdit()->setMaxLength(CITY_NAME_LENGTH);
    l.city->setInsertPolicy(QComboBox::NoInsert);
    // Each city with its name as it is matched when typed (no accents, no case).
    for (int i = 0; i < city_count(); ++i)
        l.city->addItem(to_qstring(city_name(i)), to_qstring(without_accents_or_case(city_name(i))));
    // Type to find: the cities whose names begin with what is typed, in any
    // letter case, accents optional ("sao" finds S\xE3o Paulo), drop down
    // under the field (the list holds thousands).
    auto* finder = new CityNameCompleter(l.city->model(), l.city);
    finder->setCompletionRole(Qt::UserRole);
    l.city->setCompleter(finder);
    finder->setCompletionMode(QCompleter::PopupCompletion);
    finder->setCaseSensitivity(Qt::CaseInsensitive);
    finder->setFilterMode(Qt::MatchStartsWith);
    register_control(f, 115, l.city);
    f.fields->addWidget(labelled(text_of(LBL_LOCATION), l.city), 0, 0);
    f.fields->addWidget(l.city, 0, 1, 1, 8);
    for (int code = 0; code < 4; ++code) l.hemisphere[code] = new QRadioButton(text_of(LBL_NORTH + code));
    add_angle_row(f, 1, LBL_LATITUDE, 117, l.latitude, l.hemisphere[COMPASS_NORTH], l.hemisphere[COMPASS_SOUTH]);
    add_angle_row(f, 2, LBL_LONGITUDE, 127, l.longitude, l.hemisphere[COMPASS_WEST], l.hemisphere[COMPASS_EAST]);
    l.elevation = add_location_edit(f, 138, 3, 1, 5, 4);
    f.fields->addWidget(labelled(text_of(LBL_ELEVATION), l.elevation), 3, 0);
    l.time_zone = add_location_edit(f, 136, 4, 1, 6, 4);
    f.fields->addWidget(labelled(text_of(LBL_TIME_ZONE), l.time_zone), 4, 0);
    // Which way the zone counts, which the number alone does not tell.
    auto* zone_sign = new QLabel(text_of(LBL_ZONE_SIGN));
    zone_sign->setWordWrap(true);
    f.fields->addWidget(zone_sign, 5, 1, 1, 8);
    // The clock's zone: any part of a name finds it (Denver finds America/Denver).
    l.zone_name = new QLineEdit;
    register_control(f, CTL_ZONE_NAME, l.zone_name);
    f.fields->addWidget(labelled(text_of(LBL_ZONE_NAME), l.zone_name), 6, 0);
    f.fields->addWidget(l.zone_name, 6, 1, 1, 8);
    QStringList zones;
    for (const std::string& name : zone_names()) zones << to_qstring(name);
    auto* zone_finder = new QCompleter(zones, l.zone_name);
    zone_finder->setCaseSensitivity(Qt::CaseInsensitive);
    zone_finder->setFilterMode(Qt::MatchContains);
    l.zone_name->setCompleter(zone_finder);
    finish_form(f);

    // The current city, or the first when the list has no city of that name.
    int current = std::max(0, l.city->findText(to_qstring(current_city_name()), Qt::MatchFixedString));
    l.city->setCurrentIndex(current);
    city_name_changed(l);
    QObject::connect(l.city, &QComboBox::currentTextChanged, [&l] { city_name_changed(l); });
    select_first_field(l.city->lineEdit(), l.city);
    return window.exec() == QDialog::Accepted;
}

void show_about_box(QWidget* parent) {
    QMessageBox box(parent);
    box.setWindowTitle(text_of(LBL_ABOUT_TITLE));
    // The program's icon, drawn at the screen's pixel ratio so that it stays sharp.
    box.setIconPixmap(QApplication::windowIcon().pixmap(QSize(ABOUT_ICON_SIZE, ABOUT_ICON_SIZE), box.devicePixelRatioF()));
    box.setText(text_of(LBL_ABOUT_LINE));
    // The licence and the data's credits, as paragraphs the box wraps itself.
    QStringList notices;
    for (int id : {STR_COPYRIGHT, STR_LICENCE_NOTICE, STR_DATA_CREDITS})
        notices << text_of(id).replace(QLatin1Char('\n'), QLatin1Char(' '));
    box.setInformativeText(notices.join(QStringLiteral("\n\n")));
    box.setStandardButtons(QMessageBox::Ok);
    QAbstractButton* credits = box.addButton(text_of(STR_CREDITS), QMessageBox::HelpRole);
    add_help_key(box, help_context_of(CMD_ABOUT));
    box.exec();
    if (box.clickedButton() == credits) show_help_context(HELP_CREDITS, parent);
}

namespace {

// The remembered fields: their settings keys and their ranges.
struct RememberedField {
    const char* key;
    int CommandParams::*field;
    int low, high;
};
constexpr RememberedField REMEMBERED[] = {
    {"Dialog Year", &CommandParams::year, -4000, 32000},
    {"Dialog Month", &CommandParams::month, 1, 12},
    {"Dialog End Year", &CommandParams::end_year, -4000, 32000},
    {"Dialog End Month", &CommandParams::end_month, 1, 12},
    {"Dialog Time Speed", &CommandParams::time_speed, -64, 64},
    {"Dialog View Angle", &CommandParams::view_angle, 5, 90},
    {"Dialog Distance From Sun", &CommandParams::distance_from_sun, 0, 1},
    {"Dialog Main Planet", &CommandParams::main_planet, 3, 10},
    {"Dialog Moons", &CommandParams::moon_set, 0, 65535},
    {"Dialog Number Moons", &CommandParams::number_moons, 0, 1},
    {"Dialog Label Planets", &CommandParams::label_planets, 0, 1},
    {"Dialog Speed Index", &CommandParams::speed_index, 0, 4},
    {"Dialog Binary Star", &CommandParams::binary_star, 0, BINARY_STAR_COUNT - 1},
};
constexpr const char* PLANETS_KEY = "Dialog Planets";  // the planet set's bits

}  // namespace

void remember_dialog_values(const CommandParams& params) {
    for (const RememberedField& f : REMEMBERED) write_setting(f.key, std::to_string(params.*f.field));
    write_setting(PLANETS_KEY, std::to_string(params.planet_set.bits));
}

void recall_dialog_values(CommandParams& params) {
    for (const RememberedField& f : REMEMBERED) {
        const std::optional<int> value = read_whole_number(read_setting(f.key));
        if (value && *value >= f.low && *value <= f.high) params.*f.field = static_cast<int>(*value);
    }
    const std::optional<int> planets = read_whole_number(read_setting(PLANETS_KEY));
    if (planets && *planets > 0 && *planets < (1 << 11)) params.planet_set.bits = static_cast<std::uint32_t>(*planets);
}

void add_help_key(QWidget& dialog, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    QObject::connect(key, &QShortcut::activated, &dialog, [&dialog, context] { show_help_context(context, &dialog); });
}
