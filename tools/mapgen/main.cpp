#include "tools/mapgen/mapgen.h"

#include <iostream>

int main(int argc, char** argv)
{
    return runMapgen(argc, argv, std::cout, std::cerr);
}
