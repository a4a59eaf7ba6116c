// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Leak checking stays off in every test run, also where the test's environment does not reach the
// program (the per-test environment list loses all but its first entry): the leak checker of this
// toolchain crashes on some programs' thread-local storage at exit. Included by exactly one file
// of each test program, its main.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}
