// Prints what the program reads as the seconds since the last key or mouse input ("none" where
// the desktop cannot tell), so that a scenario can compare it with the input it makes itself.
// With a number of seconds it keeps reading for that long, twice a second, once it can tell
// measuring first as at a break's end.
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "InputIdleTime.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const velunor::DisplayServer display;
    velunor::InputIdleTime idle(display);
    const auto print = [&idle] {
        const auto seconds = idle.Seconds();
        std::printf(seconds ? "%lld\n" : "none\n", static_cast<long long>(seconds.value_or(0)));
        std::fflush(stdout);
    };
    if (argc < 2) {
        print();
        return 0;
    }
    QTimer reads;
    QObject::connect(&reads, &QTimer::timeout, [&idle, &print, measured = false]() mutable {
        if (!measured && idle.Seconds()) {
            idle.Measure();
            measured = true;
        }
        print();
    });
    reads.start(500);
    QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
