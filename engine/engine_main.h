// The engine's main line.
#pragma once

#include <iostream>

// Runs one engine pass in the current directory: the console is unit 6 of
// the library's unit table, `keyboard` is read for the final Enter. Returns
// the exit status of a normal end (0); a stop for an error ends through the
// library's stop action with status 1.
int RunEngine(std::istream& keyboard = std::cin);

// The call that puts the written table on the disk (fsync). Replaceable so that a test can make
// it fail; returns the call it replaces.
using SyncCall = int (*)(int fd);
SyncCall SetTableSync(SyncCall sync);
