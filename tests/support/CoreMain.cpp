#include "support/TestRegistry.h"

#include <QCoreApplication>

// The test programs of the libraries that know no widgets.
int main(int argc, char **argv)
{
    TestRegistry::setTimeZone();
    QCoreApplication app(argc, argv);
    return TestRegistry::runAll(app);
}
