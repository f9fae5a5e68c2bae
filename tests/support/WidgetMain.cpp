#include "support/TestRegistry.h"

#include "platform/Application.h"
#include "platform/Resources.h"

// The test programs of the areas with windows.
int main(int argc, char **argv)
{
    TestRegistry::setTimeZone();
    Application app(argc, argv);
    initResources();
    Application::setUpLook();
    return TestRegistry::runAll(app);
}
