#pragma once
// The command line's standard output, checked: what a command prints is
// written whole or the command fails.
#include <string>

// Writes text to standard output.  False after the message "Cannot write
// standard output (WHERE): REASON" on standard error when any of it could not
// be written (a full disk, a closed pipe); a regular file it went to is cut
// back to what it held before, so that no partial output stays in it.
bool write_standard_output(const std::string& text);
