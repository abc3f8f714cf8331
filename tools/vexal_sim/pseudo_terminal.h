// The simulator's end of the serial line: a pseudo-terminal in raw mode and a
// stable symlink to its device that a Wine COM port can be mapped to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vexal_sim {

class PseudoTerminal {
 public:
  // Opens a pty, puts it in raw mode and points `linkPath` at its device.
  static std::optional<PseudoTerminal> Open(const std::string& linkPath);
  PseudoTerminal(PseudoTerminal&& other) noexcept;
  PseudoTerminal& operator=(PseudoTerminal&&) = delete;
  ~PseudoTerminal();

  const std::string& DevicePath() const { return devicePath_; }

  // Waits up to `timeoutMs` for bytes from the program; returns what arrived.
  std::string ReadCommands(int timeoutMs);

  // Writes all of `data`, waiting while the line is full; false if nobody
  // takes the bytes for two seconds.
  bool Write(const char* data, std::size_t size);

  // Fills the line from the program to the interface until it takes no more,
  // as long as nobody reads it: the program's writes then find no room.
  void FillTowardsInterface();

  // Like a closed serial port, which receives nothing: once the program has
  // had a while to take what was sent, bytes nobody read are thrown away, so a
  // later read-out does not start with the tail of an abandoned reply.
  void DropUnreadAfter(int waitMs);

 private:
  PseudoTerminal(int master, int slave, std::string devicePath, std::string linkPath);

  int master_ = -1;
  // Held open so the line does not hang up whenever the program closes the port.
  int slave_ = -1;
  std::string devicePath_;
  std::string linkPath_;
};

}  // namespace vexal_sim
