#pragma once
// Data files live beside the program file (a build tree), or, in a copy
// installed in the usual layout, in share/skyloom2 beside the program's bin/.
// Files the user changes (the city list) stay beside the program when that
// folder is writable; in an installed copy they live in the user's data
// folder instead.
#include <cstdio>
#include <string>

// Full path of name: beside the program when it is there, else in
// ../share/skyloom2 from the program's folder when that folder exists (an
// installed copy), else beside the program.  The override, when set, is the
// only folder.
std::string data_file_path(const std::string& name);
// Opens that file with the given stdio mode; nullptr when it cannot be opened.
std::FILE* open_data_file(const std::string& name, const char* mode);
// Overrides the folder (tests, and a command-line --data-dir).  Empty restores the program's.
void set_data_folder(const std::string& folder);

// Full path of a data file the user may rewrite.  When data_file_path(name)
// lies beside the program and that folder is writable, this is it.
// Otherwise (an installed copy, or a read-only folder) it is name in the
// user's data folder, $XDG_DATA_HOME/skyloom2 (~/.local/share/skyloom2 when
// XDG_DATA_HOME is unset or not absolute), made when missing; a file not yet
// there is first copied from the program's folder, so the user starts from
// the shipped one.  When the user's folder cannot be made either (no home
// folder), the program folder's path is given: reading works, writing fails.
std::string writable_data_file_path(const std::string& name);

// Makes a new file in folder named prefix followed by a suffix no other file
// there has, opened for writing: created exclusively (an existing name, a
// symbolic link included, is never opened, followed or truncated).  Gives the
// descriptor and its path, or -1 with errno set.
int create_unique_file(const std::string& folder, const std::string& prefix, std::string& path);

// Replaces the file at path with contents so that a reader sees either the
// old file or the whole new one: the text goes to a unique file in the same
// folder, is flushed and synced to the disk, takes over the old file's
// permission bits and is renamed over path (a symbolic link at path is
// followed to its target); the folder is synced last.  On failure the
// temporary file is removed, path is untouched, and errno tells why.
enum class ReplaceResult { Done, WriteFailed, CloseFailed, RenameFailed };
ReplaceResult replace_file(const std::string& path, const std::string& temporary_prefix, const std::string& contents);

// An advisory lock (flock) on the file at path, made when missing: waits for
// another process holding it.  Gives the descriptor to pass to unlock_file,
// or -1 with errno set when the lock file cannot be opened.
int lock_file(const std::string& path);
void unlock_file(int descriptor);
