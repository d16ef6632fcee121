#include <iostream>
#include <string>
#include <vector>

#include "KvTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return KvTool::Run(arguments, std::cout, std::cerr);
}
