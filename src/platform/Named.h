#pragma once

#include <QObject>
#include <QString>

// Gives a new object its component name, by which tests and the program find
// it again: `ADOQuery1 = named(new Dataset(connection, this), "ADOQuery1");`
template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
