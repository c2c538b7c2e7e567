#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ruvenset::testing {

// Output of a shell command; its exit code in `code` (-1 when it did not end on its own).
inline std::string CommandOutput(const std::string& command, int& code) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  const int status = ::pclose(pipe);
  code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

// The text of a PDF as pdftotext lays it out, its page count and, when asked, its title (poppler-utils
// must be installed: a missing tool fails the test).
inline std::string PdfText(const std::string& pdf, int& pages, std::string* title = nullptr) {
  int code = -1;
  const std::string info = CommandOutput("pdfinfo '" + pdf + "'", code);
  EXPECT_EQ(code, 0) << "pdfinfo (poppler-utils) is needed for " << pdf;
  const size_t at = info.find("Pages:");
  pages = at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  if (title != nullptr) {
    const size_t t = info.find("Title:");
    *title = t == std::string::npos ? "" : info.substr(t + 6, info.find('\n', t) - t - 6);
    title->erase(0, title->find_first_not_of(' '));
  }
  const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -", code);
  EXPECT_EQ(code, 0) << "pdftotext (poppler-utils) is needed for " << pdf;
  return text;
}

}  // namespace ruvenset::testing
