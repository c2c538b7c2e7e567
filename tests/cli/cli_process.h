#pragma once
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace ruvenset::testing {

// The built ruvenset-cli as a child process whose standard input, output and error the test holds, so
// that it can wait for a line, answer a prompt and press Ctrl-C at a chosen moment.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& arguments, const std::string& configName) {
    int in[2], out[2], err[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) return;
    const std::string config = "XDG_CONFIG_HOME=" + ::testing::TempDir() + configName;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
      ::putenv(const_cast<char*>(config.c_str()));
      std::vector<char*> argv{const_cast<char*>("ruvenset-cli")};
      for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(RUVENSET_BINARY_DIR "/ruvenset-cli", argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    input_ = in[1];
    streams_[0].fd = out[0];
    streams_[1].fd = err[0];
  }
  ~CliProcess() {
    if (pid_ > 0 && status_ < 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (const Stream& s : streams_) ::close(s.fd);
    if (input_ >= 0) ::close(input_);
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  enum Which { Out = 0, Err = 1 };

  // Waits until `text` appears in the output or error stream beyond what earlier waits consumed; false
  // after `seconds` or when the program ended first.
  bool WaitFor(Which which, const std::string& text, double seconds = 30) {
    Stream& s = streams_[which];
    const auto deadline = Now() + seconds;
    for (;;) {
      const size_t at = s.text.find(text, s.consumed);
      if (at != std::string::npos) {
        s.consumed = at + text.size();
        return true;
      }
      const double left = deadline - Now();
      if (left <= 0 || !ReadSome(static_cast<int>(left * 1000) + 1)) return false;
    }
  }

  void SendLine(const std::string& line) {
    const std::string text = line + "\n";
    ASSERT_EQ(::write(input_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  void Interrupt() { ::kill(pid_, SIGINT); }

  // Waits for the program to end (reading what it still prints) and returns its exit status, or -1 when
  // it did not end within `seconds` or ended by a signal.
  int Finish(double seconds = 30) {
    const auto deadline = Now() + seconds;
    while (Now() < deadline && ReadSome(50)) {
    }
    while (Now() < deadline) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      ReadSome(20);
    }
    return -1;
  }

  const std::string& out() const { return streams_[Out].text; }
  const std::string& err() const { return streams_[Err].text; }

  static double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  }

 private:
  struct Stream {
    int fd = -1;
    std::string text;
    size_t consumed = 0;
    bool open = true;
  };

  // Reads what either stream has within `ms`; false when both have ended.
  bool ReadSome(int ms) {
    pollfd pfd[2];
    nfds_t n = 0;
    Stream* of[2];
    for (Stream& s : streams_) {
      if (!s.open) continue;
      pfd[n] = {s.fd, POLLIN, 0};
      of[n++] = &s;
    }
    if (n == 0) return false;
    if (::poll(pfd, n, ms) <= 0) return true;
    for (nfds_t i = 0; i < n; ++i) {
      if (!(pfd[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t got = ::read(pfd[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        of[i]->open = false;
      } else {
        of[i]->text.append(buffer, static_cast<size_t>(got));
      }
    }
    return true;
  }

  pid_t pid_ = -1;
  int status_ = -1;
  int input_ = -1;
  Stream streams_[2];
};

}  // namespace ruvenset::testing
