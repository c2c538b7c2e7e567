#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace ruvenset::testing {

// The built ruvenset-cli running beside the test with its standard input and output on pipes, so
// that the test answers its "ready" lines as a rig would; a throw-away configuration folder named
// `configName`, stderr dropped.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& arguments, const std::string& configName) {
    int in[2];
    int out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return;
    const std::string config = ::testing::TempDir() + configName;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 2);
      ::close(in[1]);
      ::close(out[0]);
      ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
      std::vector<char*> argv;
      std::string program = RUVENSET_BINARY_DIR "/ruvenset-cli";
      argv.push_back(program.data());
      std::vector<std::string> copies = arguments;
      for (std::string& a : copies) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    input_ = in[1];
    output_ = out[0];
  }
  ~CliProcess() {
    if (input_ >= 0) ::close(input_);
    if (output_ >= 0) ::close(output_);
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // The next line of its output without its line end; nullopt at the end of the output or after
  // `timeoutMs` without one.
  std::optional<std::string> ReadLine(int timeoutMs = 60000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      const size_t end = buffered_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        all_ += line + "\n";
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd p{output_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
      char chunk[512];
      const ssize_t n = ::read(output_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffered_.append(chunk, static_cast<size_t>(n));
    }
  }
  void WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    (void)!::write(input_, text.data(), text.size());
  }
  // Ends its standard input, reads the rest of its output and waits for its exit code.
  int Finish() {
    ::close(input_);
    input_ = -1;
    while (ReadLine()) {
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Everything it printed so far.
  const std::string& output() const { return all_; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  bool exited_ = false;
  std::string buffered_;
  std::string all_;
};

}  // namespace ruvenset::testing
