#pragma once
// The program's version, shown by --version and given to the package.
inline constexpr const char* CorvaleVersion = "1.0.0";
