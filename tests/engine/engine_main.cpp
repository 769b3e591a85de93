// Runs the engine's tests with the tests' own fonts, whoever starts them.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    setenv("FONTCONFIG_FILE", VANTOR_TEST_FONTCONFIG, 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
