// fcsim: a simulated flow computer on a pseudo-terminal, controlled through standard input.
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "sim/fcsim_args.h"
#include "sim/sim_server.h"

using ruvenset::sim::SimOptions;
using ruvenset::sim::SimServer;

int main(int argc, char** argv) {
  SimOptions options;
  bool help = false;
  std::string error;
  if (!ruvenset::sim::ParseFcsimArgs(std::vector<std::string>(argv + 1, argv + argc), options, help, error)) {
    std::fprintf(stderr, "fcsim: %s\n%s", error.c_str(), ruvenset::sim::kFcsimUsage);
    return 2;
  }
  if (help) {
    std::fputs(ruvenset::sim::kFcsimUsage, stdout);
    return 0;
  }

  // The signals arrive through a descriptor, so the server's thread never sees them.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
  if (signalFd < 0) {
    std::perror("fcsim: signalfd");
    return 1;
  }

  std::unique_ptr<SimServer> server = SimServer::Start(options, &error);
  if (!server) {
    std::fprintf(stderr, "fcsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("ready %s\n", server->path().c_str());
  if (!options.hartLinkPath.empty()) std::printf("hart %s\n", server->hartPath().c_str());
  std::fflush(stdout);

  pollfd fds[2] = {{signalFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  std::string pending;
  char chunk[256];
  for (;;) {
    const int watched = fds[1].fd >= 0 ? 2 : 1;
    if (::poll(fds, static_cast<nfds_t>(watched), -1) < 0) continue;
    if (fds[0].revents & POLLIN) break;
    if (watched == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
      const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
      if (n <= 0) {
        fds[1].fd = -1;  // no more commands; go on serving until a signal
        continue;
      }
      pending.append(chunk, static_cast<size_t>(n));
      for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::printf("%s\n", server->Control(line).c_str());
        std::fflush(stdout);
      }
    }
  }
  server.reset();
  ::close(signalFd);
  return 0;
}
