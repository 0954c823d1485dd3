#pragma once
// One QApplication for a test program, made on first use.

#include <QApplication>

inline void EnsureQtApplication()
{
    static int argc = 1;
    static char name[] = "logora-ui-test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}
