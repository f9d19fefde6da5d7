#pragma once
// The main() of every GUI test: the offscreen platform unless another is asked for, and a
// program directory of its own (MORVANE_HOME) set before anything could compute it.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#define MORVANE_UI_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QTemporaryDir home;                                                                                  \
        qputenv("MORVANE_HOME", home.path().toLocal8Bit());                                                  \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
