// The one QApplication a widget test program needs, created on first use.
#pragma once

#include <QApplication>
#include <QInputDevice>
#include <QPointingDevice>
#include <cstdlib>

namespace tavrel::test {

inline QApplication& TestApplication() {
    static QApplication* application = [] {
        static int argc = 1;
        static char name[] = "tavrel-test";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        // Qt makes its default input devices (QTest's keyboard) on demand as children of the
        // application and lists them in a global that exit would destroy before a static
        // application. Made now, they and the application go first, at this exit handler.
        QInputDevice::primaryKeyboard();
        QPointingDevice::primaryPointingDevice();
        std::atexit([] { delete qApp; });
        return made;
    }();
    return *application;
}

} // namespace tavrel::test
