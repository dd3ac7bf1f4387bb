#pragma once
// The Skyloom 2 window: runs the program with its window until the user exits.
// argc/argv are the toolkit's (display options); returns the exit code.
int window_main(int argc, char** argv);
