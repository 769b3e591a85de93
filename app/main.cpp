#include "app/startup.h"

int main(int argc, char **argv)
{
    return vantor::RunProcess(argc, argv);
}
