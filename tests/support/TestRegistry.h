#pragma once

#include <QObject>

#include <functional>

class QCoreApplication;

// Each test class of an area registers itself; the area's one program runs
// them all (tests/support/WidgetMain.cpp, or CoreMain.cpp for the programs
// that build without widgets).
namespace TestRegistry {
int add(const char *name, std::function<QObject *()> make);
// Runs every registered class; "-only Name" picks one, other arguments go to
// QTest (for instance a function name).
int runAll(const QCoreApplication &app);
// The time zone the tests expect, set before the application object exists.
void setTimeZone();
}

#define KD_TEST(Class) \
    static const int kd_registered_##Class = TestRegistry::add(#Class, [] { return new Class; });
