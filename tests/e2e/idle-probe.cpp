// Prints what the program reads as the seconds since the last key or mouse input ("none" where
// the desktop cannot tell), so that a scenario can compare it with the input it makes itself.
#include <QGuiApplication>
#include <cstdio>

#include "InputIdleTime.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const auto seconds = velunor::InputIdleTime(velunor::DisplayServer()).Seconds();
    std::printf(seconds ? "%lld\n" : "none\n", static_cast<long long>(seconds.value_or(0)));
}
