// circad2ipc: converts one CirCAD PCB data file into an IPC-D-356A netlist beside it.
#include "app/run_driver.hpp"

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // Past a file-size limit a write must fail like any other, so the run removes
    // the cut-short netlist and says so; by default the signal would kill it mid-file.
    std::signal(SIGXFSZ, SIG_IGN);
    Console console(stdout);
    return RunDriver({argv, static_cast<std::size_t>(argc)}, console);
}
