// The program as a whole: its single window instances (created on first use), starting and
// ending it, and the reset of the main window and its input dialogs.
//
// The windows, by their form names:
//   Form1   the main window: data input, graph settings, the calculation, the graph
//   Form2   the title window
//   Form3   the data file's read error
//   Form4   saving the interpolated table
//   Form5   saving a graph's picture
//   Form6   the viewer of saved tables
//   Form7   the method dialog, which starts the engine
//   Form8   the equal-interval table from the viewer's table
//   Form9   the data file's format
//   Form10  data input from a file
//   Form11  data input by hand
//   Form12  the curve's values, one for each graph window (CurveValuesOf in form12.h)
#pragma once

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;
class Form8;
class Form9;
class Form10;
class Form11;

Form1* form1();
Form2* form2();
Form3* form3();
Form4* form4();
Form5* form5();
Form6* form6();
Form7* form7();
Form8* form8();
Form9* form9();
Form10* form10();
Form11* form11();

// Starts Nodara as its main does: Qt's own texts in Japanese, the keyboard conventions of every
// window, then the title window. The caller runs the event loop.
void StartNodara();
// Hides every window, closes the engine consoles (ending their engines) and leaves the event
// loop.
void EndProgram();
// Deletes every window and every engine console, so that a new StartNodara begins afresh.
void ShutdownNodara();

// Returns the main window and the two input dialogs to their start state: no input data, no
// graph, no table, the method dialog hidden.
void ResetProgramState();
