// brondel: converts an ASCII stack into a binary stack for Tarkel.
#include <iostream>

#include "driver.h"

int main(int argc, char** argv) { return brondel::runDriver(argc, argv, std::cout, std::cerr); }
