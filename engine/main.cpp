// Fitcore: the console engine.
#include "engine_main.h"

int main() { return RunEngine(); }
