#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "link/posix_line_termios.h"

namespace ruvenset::sim {
namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

bool MakeLink(const std::string& target, const std::string& link, std::string* error) {
  struct stat st {};
  if (::lstat(link.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      if (error) *error = link + " exists and is not a symbolic link";
      return false;
    }
    if (::unlink(link.c_str()) != 0) return Fail(error, "cannot replace " + link);
  }
  if (::symlink(target.c_str(), link.c_str()) != 0) return Fail(error, "cannot create " + link);
  return true;
}

}  // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Open(const LineSettings& line, const std::string& linkPath,
                                                     std::string* error) {
  std::unique_ptr<PseudoTerminal> pty(new PseudoTerminal());
  pty->master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (pty->master_ < 0) {
    Fail(error, "posix_openpt");
    return nullptr;
  }
  char name[128];
  if (::grantpt(pty->master_) != 0 || ::unlockpt(pty->master_) != 0 ||
      ::ptsname_r(pty->master_, name, sizeof name) != 0) {
    Fail(error, "cannot unlock the pseudo-terminal");
    return nullptr;
  }
  pty->slavePath_ = name;
  pty->slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (pty->slave_ < 0) {
    Fail(error, "cannot open " + pty->slavePath_);
    return nullptr;
  }
  if (!SetTerminalLine(pty->slave_, line)) {
    Fail(error, "cannot set the line of " + pty->slavePath_);
    return nullptr;
  }
  const int flags = ::fcntl(pty->master_, F_GETFL);
  ::fcntl(pty->master_, F_SETFL, flags | O_NONBLOCK);
  if (!linkPath.empty()) {
    if (!MakeLink(pty->slavePath_, linkPath, error)) return nullptr;
    pty->linkPath_ = linkPath;
  }
  return pty;
}

PseudoTerminal::~PseudoTerminal() {
  if (!linkPath_.empty()) {
    char target[256];
    const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<size_t>(n)) == slavePath_) ::unlink(linkPath_.c_str());
  }
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

}  // namespace ruvenset::sim
