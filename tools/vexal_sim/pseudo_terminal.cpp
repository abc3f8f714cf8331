#include "pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace vexal_sim {

namespace {

bool MakeRaw(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  cfsetispeed(&settings, B115200);
  cfsetospeed(&settings, B115200);
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// Replaces `linkPath` in one step, so a reader never sees it missing.
bool PointLinkAt(const std::string& linkPath, const std::string& target) {
  const std::string temporary = linkPath + ".new";
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0) return false;
  return rename(temporary.c_str(), linkPath.c_str()) == 0;
}

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::Open(const std::string& linkPath) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) return std::nullopt;
  const char* name = nullptr;
  if (grantpt(master) != 0 || unlockpt(master) != 0 || (name = ptsname(master)) == nullptr) {
    close(master);
    return std::nullopt;
  }
  const std::string devicePath = name;
  const int slave = open(devicePath.c_str(), O_RDWR | O_NOCTTY);
  if (slave < 0 || !MakeRaw(slave) || !PointLinkAt(linkPath, devicePath)) {
    std::perror("vexal_sim: pty");
    if (slave >= 0) close(slave);
    close(master);
    return std::nullopt;
  }
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  return PseudoTerminal(master, slave, devicePath, linkPath);
}

PseudoTerminal::PseudoTerminal(int master, int slave, std::string devicePath, std::string linkPath)
    : master_(master),
      slave_(slave),
      devicePath_(std::move(devicePath)),
      linkPath_(std::move(linkPath)) {}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      slave_(std::exchange(other.slave_, -1)),
      devicePath_(std::move(other.devicePath_)),
      linkPath_(std::exchange(other.linkPath_, {})) {}

PseudoTerminal::~PseudoTerminal() {
  if (!linkPath_.empty()) unlink(linkPath_.c_str());
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

std::string PseudoTerminal::ReadCommands(int timeoutMs) {
  pollfd fd{master_, POLLIN, 0};
  if (poll(&fd, 1, timeoutMs) <= 0 || !(fd.revents & POLLIN)) return {};
  char buffer[256];
  const ssize_t n = read(master_, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool PseudoTerminal::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(master_, data, size);
    if (n > 0) {
      data += n;
      size -= static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd fd{master_, POLLOUT, 0};
    if (poll(&fd, 1, 2000) == 0) return false;
  }
  return true;
}

void PseudoTerminal::FillTowardsInterface() {
  fcntl(slave_, F_SETFL, fcntl(slave_, F_GETFL) | O_NONBLOCK);
  // The pty moves written bytes on in the background: full once a while of
  // retries adds nothing.
  for (int round = 0; round < 50; ++round) {
    while (write(slave_, "x", 1) == 1) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void PseudoTerminal::DropUnreadAfter(int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    int unread = 0;
    if (ioctl(slave_, FIONREAD, &unread) != 0 || unread == 0) return;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  tcflush(slave_, TCIFLUSH);
}

}  // namespace vexal_sim
