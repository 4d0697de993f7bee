#include "QuarnTool.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunQuarnTool(args, std::cout, std::cerr);
}
