#pragma once

#include "support/TestDb.h"

#include <QPointer>
#include <QTest>

#include <memory>
#include <utility>

// What the test class of one window holds: a fresh ledger for each test
// function and the window under test, made and shown by open().
template <typename W>
class WindowTest
{
protected:
    std::unique_ptr<TestDb> db;
    QPointer<W> w;

    // Makes the window, shows it and waits until it is on screen.
    template <typename... Args>
    void open(Args &&...args)
    {
        w = new W(std::forward<Args>(args)...);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    // After each test function: the window, then its ledger.
    void closeAll()
    {
        delete w;
        db.reset();
    }
};
