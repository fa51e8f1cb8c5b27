#include <iostream>

#include "app/Version.h"

int main()
{
    std::cout << "corvald " << CORVALD_VERSION << '\n';
    return 0;
}
