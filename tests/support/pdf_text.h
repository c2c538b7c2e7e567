#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ruvenset::testing {

// The text of a PDF as pdftotext lays it out, and its page count (poppler-utils must be installed: a
// missing tool fails the test).
inline std::string PdfText(const std::string& pdf, int& pages) {
  auto run = [](const std::string& command, int& code) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int status = ::pclose(pipe);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
  };
  int code = -1;
  const std::string info = run("pdfinfo '" + pdf + "'", code);
  EXPECT_EQ(code, 0) << "pdfinfo (poppler-utils) is needed for " << pdf;
  const size_t at = info.find("Pages:");
  pages = at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  const std::string text = run("pdftotext -layout '" + pdf + "' -", code);
  EXPECT_EQ(code, 0) << "pdftotext (poppler-utils) is needed for " << pdf;
  return text;
}

}  // namespace ruvenset::testing
