// Every test includes GoogleTest through this header: winegcc predefines the
// Windows macros, which would make gtest look for Windows-only headers. A
// mingw-w64 build is Windows, and includes gtest as it is.
#pragma once
#if !defined(TESTS_UNDER_WINELIB)
#include <gtest/gtest.h>
#else
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#pragma push_macro("__WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN64")
#pragma push_macro("__WIN64")
#pragma push_macro("__WIN64__")
#undef _WIN32
#undef WIN32
#undef __WIN32
#undef __WIN32__
#undef _WIN64
#undef WIN64
#undef __WIN64
#undef __WIN64__
#include <gtest/gtest.h>
#pragma pop_macro("__WIN64__")
#pragma pop_macro("__WIN64")
#pragma pop_macro("WIN64")
#pragma pop_macro("_WIN64")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("__WIN32")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN32")
#endif
