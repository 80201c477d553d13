#include "app/form1.h"

int main() {
  return runtime::Run(Form1::kSettings,
                      [](const runtime::Services& services) { return std::make_unique<Form1>(services); });
}
