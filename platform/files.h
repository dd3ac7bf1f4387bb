#pragma once
// Data files live beside the program file (a build tree), or, in a copy
// installed in the usual layout, in share/skyloom2 beside the program's bin/.
// What the user changes (their own cities) lives in the user's data folder,
// never beside the program, so that installing or upgrading never touches it.
#include <cstdio>
#include <string>

// The folder of the running program's file ("." when the system does not say).
std::string program_folder();
// Full path of name: beside the program when it is there, else in
// share/skyloom2 under the prefix the program is installed in (bin/ or
// libexec/skyloom2/) when that folder exists, else beside the program.  The override, when set, is the
// only folder.
std::string data_file_path(const std::string& name);
// Opens that file with the given stdio mode; nullptr when it cannot be opened.
std::FILE* open_data_file(const std::string& name, const char* mode);
// Overrides the folder (tests, and a command-line --data-dir).  Empty restores the program's.
void set_data_folder(const std::string& folder);

// The user's own data folder, $XDG_DATA_HOME/skyloom2 (~/.local/share/skyloom2
// when XDG_DATA_HOME is unset or not absolute), where the files the user
// changes live, apart from the program's; nothing is made here.  Empty when
// neither variable says where it is.
std::string user_data_folder();
// Makes folder and its parents when missing; false with errno set when it cannot.
bool make_folder(const std::string& folder);

// Makes a new file in folder named prefix followed by a suffix no other file
// there has, opened for writing: created exclusively (an existing name, a
// symbolic link included, is never opened, followed or truncated).  Gives the
// descriptor and its path, or -1 with errno set.
int create_unique_file(const std::string& folder, const std::string& prefix, std::string& path);

// Replaces the file at path with contents so that a reader sees either the
// old file or the whole new one: the text goes to a unique file
// temporary_prefix.<pid>.<n> in the same folder, is flushed and synced to
// the disk, takes over the old file's permission bits
// and is renamed over path (a symbolic link at path is followed to its
// target); the folder is synced last.  Temporary files of that prefix left
// by processes that no longer run (killed in the middle of a save) are
// removed first.  A path that is there but no regular file (a device, a
// pipe) is written straight into, as it cannot be replaced.  On failure the
// temporary file is removed, path is untouched, and errno tells why.
enum class ReplaceResult { Done, WriteFailed, CloseFailed, RenameFailed };
ReplaceResult replace_file(const std::string& path, const std::string& temporary_prefix, const std::string& contents);
// Removes the files prefix.<pid>.<n> in folder whose process no longer runs:
// what a save killed in the middle left.  A process of another user, or a
// process id taken again since, keeps its files (they are not known dead).
void remove_stale_temporaries(const std::string& folder, const std::string& prefix);
// The temporary prefix replace_file uses for a file the user named: hidden
// beside it, ".NAME.part".
std::string output_temporary_prefix(const std::string& path);

// Writes all of text to an open descriptor, through the write hook; false
// (errno set) on a failed or short write.
bool write_all(int descriptor, const std::string& text);
// Tests stand a write function of their own in for write(2) (a disk that
// fills up after so many bytes); nullptr restores write(2).
using WriteFunction = long (*)(int descriptor, const void* bytes, unsigned long count);
void set_write_function(WriteFunction write_function);

// An advisory lock (flock) on the file at path, made when missing.  Another
// process holding it is waited for at most wait_milliseconds; then the
// lock is BUSY.  FAILED (error_number set) when the lock file cannot be
// opened.  A file system without locks counts as LOCKED.
struct FileLock {
    enum State { LOCKED, BUSY, FAILED } state = FAILED;
    int descriptor = -1;
    int error_number = 0;
};
FileLock lock_file(const std::string& path, int wait_milliseconds);
void unlock_file(const FileLock& lock);
