#pragma once

#include <QString>
#include <QtTest>

#include <initializer_list>

// What a suite needs from the machine besides the program under test. A suite checks its needs
// in initTestCase(); anything missing fails it with a message naming what is missing and where it
// comes from, so no suite ever reports "passed" while it tested nothing.
namespace Prerequisites {

enum class Need { DosStubs, DosBox, Xvfb, Openbox, Xdotool, Trayer, Nasm };

// Empty when everything is there; otherwise one sentence per missing need.
QString missing(std::initializer_list<Need> needs);

// The directory the build puts the stand-in DUKE3D.EXE and COMMIT.EXE into.
QString dosStubDir();

} // namespace Prerequisites

// Ends the calling test function as failed when a need is missing.
#define REQUIRE_PREREQUISITES(...)                                                                 \
    do {                                                                                           \
        const QString missingNeeds = Prerequisites::missing({__VA_ARGS__});                        \
        if (!missingNeeds.isEmpty())                                                               \
            QFAIL(qPrintable(missingNeeds));                                                       \
    } while (false)
