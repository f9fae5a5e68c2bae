#pragma once

#include <optional>

// Program entry: the splash for at least its timer's interval, then the
// windows and objects that live for the whole run, then the message loop.
int runProgram(int argc, char **argv);

// --version and --help print on the terminal and end the program before any
// window exists, so they work without a display. Empty for every other
// command line.
std::optional<int> answerCommandLine(int argc, char **argv);

#include <QWidget>
#include <memory>

class QApplication;

// Every hint of the program shows at once as a balloon titled with the
// product name.
void setUpHints(QApplication *app);

// Pictures, fonts, hints, the application's name and icon.
void setUpApplication(QApplication *app);

// Shows the splash window and returns once its timer has fired, events being
// handled all the while; the caller destroys it when the windows exist.
std::unique_ptr<QWidget> showSplash();
