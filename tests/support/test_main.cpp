// Test entry: the GUI thread's application object is set up before any test,
// as the programs do, so Synchronize and windows work inside tests.
#include "test_gtest.h"
#include "Forms.h"
#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    int rc = RUN_ALL_TESTS();
    // Returning from main runs the static destructors after Wine has already
    // detached its DLLs; the application object's destructor then calls into
    // user32 and the process ends with exit code 0 whatever the tests said.
    // End here, with the result, once the output is out.
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
