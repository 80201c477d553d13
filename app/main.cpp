#include <iostream>

#include "app/command_line.h"
#include "app/form1.h"

int main(int argc, char** argv) {
  return RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr, [](const runtime::ShowOptions& options) {
    return runtime::Run(Form1::kSettings, options,
                        [](const runtime::Services& services) { return std::make_unique<Form1>(services); });
  });
}
