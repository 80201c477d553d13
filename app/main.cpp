#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"
#include "host/host.h"
#include "host/platform.h"

int main(int argc, char** argv) {
  const CommandLine command = ReadCommandLine({argv + 1, argv + argc}, argc > 0 && IsScreensaverName(argv[0]));
  if (!command.show) host::ReachConsole();
  std::fputs(command.out.c_str(), stdout);
  std::fputs(command.errors.c_str(), stderr);
  if (!command.show) return command.status;
  return host::Run(Form1::kSettings, *command.show,
                   [](const host::Services& services) { return std::make_unique<Form1>(services); });
}
