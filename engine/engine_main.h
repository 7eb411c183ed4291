// The engine's main line.
#pragma once

// Runs one engine pass in the current directory and returns the exit status.
int RunEngine();
