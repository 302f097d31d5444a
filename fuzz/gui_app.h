#pragma once
// The offscreen Qt application that the fuzz targets which draw need (fonts, the paint
// engines; a QApplication for the targets that open windows); inside the test run the tests'
// own application is used.
#include <QGuiApplication>

#include <cstdlib>

namespace quorlin {

template <typename Application = QGuiApplication>
void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quorlin_fuzz";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run and never destroyed: Qt's caches stay reachable to the end, and
    // no global of Qt is torn down after the application.
    static const Application* const application = new Application(argc, argv);
    (void)application;
}

}  // namespace quorlin
