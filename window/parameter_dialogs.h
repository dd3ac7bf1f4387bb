#pragma once
// The parameter dialogs, the Set Location dialog and the About box on Qt.
// The fields' checks are the shared dialog rules: what the user typed goes
// to apply_dialog or apply_location_entry, and a refusal keeps the dialog
// open with its message shown and the named field focused.
#include "app/app_state.h"
#include "app/dialog_rules.h"

class QWidget;

// Runs dialog modally on params (caption and planet-dialog modes set by the
// caller).  OK writes the dialog's outputs and clears params.cancelled; Cancel
// sets params.cancelled and writes nothing else.  Returns !params.cancelled.
bool run_parameter_dialog(DialogId dialog, CommandParams& params, QWidget* parent);

// Set Location: edits work_copy.location from the city list.  OK and Save
// store the city in the list (Save also writes the list's file).  Returns
// false on Cancel, with work_copy unchanged.
bool run_set_location_dialog(SkyContext& work_copy, QWidget* parent);

// The About box: the program's icon and its version line.
void show_about_box(QWidget* parent);

// F1 inside dialog shows the help topic of context.
void add_help_key(QWidget& dialog, int context);

// Each dialog's last accepted values, kept in the settings for the next run
// (the date's day and the time of day start from the clock each run).
void remember_dialog_values(const CommandParams& params);
// Takes the remembered values into params; a value missing or out of its
// dialog's range keeps params' own.
void recall_dialog_values(CommandParams& params);
