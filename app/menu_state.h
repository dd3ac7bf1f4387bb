#pragma once
// Menu state and movie controls (module MENUFCNS): the menu bar's layout and
// accelerator keys, the rules that grey its menus and items to match what is
// running, the check marks, and the commands that steer a running movie or
// choose the graphs' tick marks or grid lines.  Standard library only: the
// window shows this state on its menu bar.
#include <string_view>
#include <vector>

#include "app/app_state.h"

// Top-level menus by position.
enum MenuPosition : int {
    MENU_FILE, MENU_EDIT, MENU_SETTINGS, MENU_REPORTS, MENU_GRAPHS, MENU_MOVIES, MENU_STOP, MENU_HELP,
};
constexpr int MENU_COUNT = 8;

// One menu item: its command id and text ("&" before the mnemonic, "\t"
// before the accelerator key).  Id 0 is a separator.
struct MenuItem {
    int id;
    std::string_view text;
};
struct Menu {
    std::string_view title;
    std::vector<MenuItem> items;
};
// The menu bar, File (position 0) to Help (7), made from the command table:
// each row's item in its menu in table order, a separator above the rows
// that ask for one.  A window may add items of its own to what it returns.
std::vector<Menu> menu_bar();
// Position of the top-level menu that holds command id; -1 when none does.
int menu_position_of(int id);
// True for the items that carry a check mark (Tick Marks, Grid Lines, Pause,
// Jet Trails, Classical Calculations, Constellations, Star Names).
bool menu_item_checkable(int id);

// The setting that keeps Settings > Classical Calculations (1995): "1" when checked.
constexpr const char* CLASSICAL_SETTING = "Classical Calculations";
// Points sky.engine at the engine the setting names (the precise one unless "1").
void load_engine_setting(SkyContext& sky);

// The accelerator keys: F2..F10, Esc, Insert and C (the last two with Ctrl).
enum AcceleratorKey { KEY_NONE, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_ESCAPE, KEY_INSERT, KEY_C };
// The command a key gives, 0 when the key (with or without Ctrl) is no accelerator.
int accelerator_command(AcceleratorKey key, bool control);

// What the menus show beyond each item's own enabled state.
struct MenuState {
    bool group_enabled[MENU_COUNT] = {true, true, true, true, true, true, true, true};
    bool tick_marks = true;   // item 121; exactly one of it and Grid Lines is checked
    bool grid_lines = false;  // item 122
    bool paused = false;      // item 74
};
// The application's menu state (kept in its one record, app/commands.cpp).
MenuState& menu_state();

// Greys (enable false) or enables the menus Edit, Settings, Reports and
// Graphs for an output of kind, and Movies too unless a movie is being
// started; disabling for Other does nothing.  Every other call also removes
// the Pause check mark.
void set_menu_groups_enabled(MenuState& menus, OutputKind kind, bool enable);

// The enabled state update_menu_state decides for one item.
struct MenuItemEnable {
    int id;
    bool enabled;
};
// The state of Copy, the movie items, Stop, Print, Print Setup and Set Font
// for what is running now.  snapshot_exists: a graph snapshot bitmap is kept.
std::vector<MenuItemEnable> update_menu_state(const AppState& app, bool snapshot_exists);
// Whether item id shows a check mark (false for items without one).
bool menu_item_checked(int id, const MenuState& menus, const AppState& app);

// The movie time speed one step faster or slower: from 0 to +-1, towards
// zero by halving (truncated), away from it by doubling, within -64..64.
int step_time_speed(int speed, bool faster);
// The day/night movie's speed index one step faster (up to 4) or slower
// (down to 0); the paused index 5 is not raised and becomes 4 by slower.
int step_speed_index(int index, bool faster);
// The field of view zoomed in (x 2/3, at least 5 degrees) or out (x 1.5, at
// most 90 degrees); degrees.
double zoom_view_angle(double angle_degrees, bool zoom_in);

// What a menu command did.
enum class MenuCommandResult {
    NotMenuCommand,  // the id is not one of the commands below
    Done,
    DiscardBitmaps,  // done; the screen bitmaps must be discarded (jet trails start afresh)
};
// Speed Up (69), Slow Down (68), Reverse (73), Pause (74), Zoom In (70),
// Zoom Out (71), Jet Trails (72), Tick Marks (121), Grid Lines (122), on the
// sky context, the jet-trails flag and the check marks.
MenuCommandResult run_menu_command(int id, MenuState& menus, AppState& app);
