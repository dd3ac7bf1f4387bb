#pragma once
// The settings store on the toolkit's per-user settings: the file
// $XDG_CONFIG_HOME/Vantorel/Skyloom 2.conf (~/.config when XDG_CONFIG_HOME is
// unset), one entry per key with the value as a string.

// Makes write_setting and read_setting use that file.  Called by the window
// at start-up, before the colours are loaded.
void install_qt_settings_store();
