#pragma once
#include <QStringList>

namespace zephyra {

// Held while the application object starts the window system. Qt ends a start without a display
// in an abort (exit 134) after a few lines of its own; under the guard the program says instead
// "no display" in one line and exits 1, or, when the command line is wrong as well, says that and
// exits 2. Qt's other messages of the start are printed when the guard ends.
class NoDisplayGuard {
public:
    explicit NoDisplayGuard(const QStringList& arguments);
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
};

} // namespace zephyra
