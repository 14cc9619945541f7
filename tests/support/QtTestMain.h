#pragma once
// One executable per layer holds all of the layer's QtTest classes (and the
// helper programs its tests start): the first argument names which one runs,
// the rest go to it. Each is still its own ctest entry; one executable
// compiles the toolkit's headers once and links once.
//   QUIMBA_TEST_MAIN("play", PlayTest)             in place of QTEST_MAIN(PlayTest)
//   QUIMBA_TEST_PROGRAM("scores_copy", ScoresCopy) ScoresCopy(int, char**) a main of its own

#include <QApplication>
#include <QTest>

namespace quimba::testmain {

using Entry = int (*)(int argc, char** argv);
// Files the entry under `name`; true, for a static initialiser to hold.
bool Register(const char* name, Entry entry);

}  // namespace quimba::testmain

// What QTEST_MAIN does, as a named entry of this executable.
#define QUIMBA_TEST_MAIN(name, TestObject)                             \
    static int QuimbaRun##TestObject(int argc, char** argv) {          \
        QTest::Internal::callInitMain<TestObject>();                   \
        QApplication app(argc, argv);                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                       \
        TestObject tc;                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                     \
        return QTest::qExec(&tc, argc, argv);                          \
    }                                                                  \
    [[maybe_unused]] static const bool kQuimbaRegistered##TestObject = \
        quimba::testmain::Register(name, &QuimbaRun##TestObject);

#define QUIMBA_TEST_PROGRAM(name, function) \
    [[maybe_unused]] static const bool kQuimbaRegistered##function = quimba::testmain::Register(name, &function);
