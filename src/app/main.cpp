// circad2ipc: converts one CirCAD PCB data file into an IPC-D-356A netlist beside it.
#include "app/run_driver.hpp"

#include <cstdio>

int main(int argc, char** argv)
{
    Console console(stdout);
    return RunDriver({argv, static_cast<std::size_t>(argc)}, console);
}
