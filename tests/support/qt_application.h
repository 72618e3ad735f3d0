// The one QApplication a widget test program needs, created on first use.
#pragma once

#include <QApplication>

namespace tavrel::test {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "tavrel-test";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

} // namespace tavrel::test
