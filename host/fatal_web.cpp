#include <emscripten.h>

#include <cstdio>
#include <string>

#include "host/fatal.h"

namespace host {
namespace {

// Puts the line in the page, where the picture was.
EM_JS(void, ShowInThePage, (const char* line), {
  var message = document.createElement('p');
  message.className = 'error';
  message.textContent = UTF8ToString(line);
  Module['canvas'].replaceWith(message);
});

}  // namespace

// The line shows in the page where the picture was, and in the console.
void ReportFatalError(std::string_view /*caption*/, std::string_view line) {
  const std::string text(line);
  std::fprintf(stderr, "%s\n", text.c_str());
  ShowInThePage(text.c_str());
}

}  // namespace host
