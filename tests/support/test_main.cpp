// Test entry: the GUI thread's application object is set up before any test,
// as the programs do, so Synchronize and windows work inside tests.
#include "test_gtest.h"
#include "Forms.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    int rc = RUN_ALL_TESTS();
    return rc;
}
