#pragma once

#include <QString>

// The programs' version, "1.0": the project's version in CMake, its one
// place, given to this function's source alone.
[[nodiscard]] QString ProgramVersion();
