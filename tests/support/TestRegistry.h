#pragma once

#include <QObject>

#include <functional>

// Each test class of an area registers itself; the area's one program runs
// them all (tests/support/main.cpp).
namespace TestRegistry {
int add(const char *name, std::function<QObject *()> make);
}

#define KD_TEST(Class) \
    static const int kd_registered_##Class = TestRegistry::add(#Class, [] { return new Class; });
