// Long checks of the real program's memory, in a window under an X server of
// the test's own: no invalid access or leak of ours, and no growth over time.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "testing/x_session.h"
#include "testing/xvfb_test.h"

namespace {

using namespace std::chrono_literals;

// The names of the project's own source files, as valgrind names them in its stacks.
std::set<std::string> OwnSourceFiles() {
  std::set<std::string> names;
  for (auto it = std::filesystem::recursive_directory_iterator(FRACTAL_TREE_SOURCE_DIR);
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() && (name == "build" || name.starts_with("."))) {
      it.disable_recursion_pending();
    } else if (it->path().extension() == ".cpp" || it->path().extension() == ".h") {
      names.insert(name);
    }
  }
  return names;
}

using ProgramMemory = XvfbTest;

TEST_F(ProgramMemory, TenSecondsUnderMemcheckShowNoInvalidAccessNorLeakOfOurs) {
  if (!xsession::OnPath("valgrind")) GTEST_SKIP() << "valgrind is not installed";
  const std::string log = "memcheck.log";
  xsession::Process program(
      {"valgrind", "--leak-check=full", "--show-leak-kinds=definite", "--log-file=" + log, FRACTAL_TREE_PROGRAM},
      server_->name());
  std::this_thread::sleep_for(10s);
  program.Signal(SIGTERM);
  ASSERT_EQ(program.Wait(60s), std::optional<int>(0)) << program.Errors();

  std::ifstream file(log);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_NE(text.find("ERROR SUMMARY"), std::string::npos) << "memcheck did not finish";
  EXPECT_EQ(text.find("Invalid read"), std::string::npos) << text;
  EXPECT_EQ(text.find("Invalid write"), std::string::npos) << text;

  // A block is ours when the first frame below the allocator is in our sources.
  const std::set<std::string> ours = OwnSourceFiles();
  const std::regex heading(R"(==\d+== .* definitely lost in loss record)");
  std::istringstream lines(text);
  bool inRecord = false;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, heading)) {
      inRecord = true;
    } else if (inRecord && line.find("vgpreload") == std::string::npos &&
               line.find("vg_replace_malloc") == std::string::npos) {
      for (const auto& name : ours) {
        EXPECT_EQ(line.find("(" + name + ":"), std::string::npos) << "a leak of ours: " << line;
      }
      inRecord = false;
    }
  }
}

TEST_F(ProgramMemory, ResidentMemoryDoesNotGrowOverTwoMinutes) {
  xsession::Process program({FRACTAL_TREE_PROGRAM}, server_->name());
  std::this_thread::sleep_for(10s);
  const double settled = xsession::StatusMegabytes(program.pid(), "VmRSS");
  ASSERT_GT(settled, 0) << "the program is not running: " << program.Errors();
  double largest = settled;
  for (int i = 0; i < 11; ++i) {
    std::this_thread::sleep_for(10s);
    largest = std::max(largest, xsession::StatusMegabytes(program.pid(), "VmRSS"));
  }
  EXPECT_LE(largest - settled, 1.0) << "from " << settled << " MB to " << largest << " MB";
}

}  // namespace
