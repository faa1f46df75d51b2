// taviro-admin: installation and maintenance commands on a data directory, without a window.
#include "AdminCommands.h"
#include "platform/PlatformFiles.h"

#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

namespace {

bool standardInputIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stdin)) != 0;
#else
    return ::isatty(STDIN_FILENO) != 0;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = taviro::platform::commandLineArguments(argc, argv);
    taviro::admin::Console console{std::cin, std::cout, std::cerr, standardInputIsTerminal()};
    return taviro::admin::runAdminTool(arguments, console);
}
