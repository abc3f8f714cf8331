#include "link/acquisition_worker.h"

#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "app/message_boxes.h"
#include "display/waveform_store.h"
#include "link/port_name.h"
#include "link/reply_parser.h"

namespace vexal {

namespace {

// The serial port as the parser's byte source: one synchronous ReadFile per Read.
class PortByteSource : public ByteSource {
 public:
  explicit PortByteSource(HANDLE port) : port_(port) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    DWORD received = 0;
    if (!ReadFile(port_, buffer, static_cast<DWORD>(count), &received, nullptr)) return 0;
    return received;
  }

 private:
  HANDLE port_;
};

// A port is opened with share mode 0, so a second read-out finds it taken.
// Wine does not enforce that for serial devices, so a read-out also claims the
// port's name within the process for as long as it holds the port.
class PortClaim {
 public:
  explicit PortClaim(std::string name) : name_(std::move(name)) {
    std::lock_guard lock(Mutex());
    claimed_ = Claimed().insert(name_).second;
  }
  ~PortClaim() {
    if (!claimed_) return;
    std::lock_guard lock(Mutex());
    Claimed().erase(name_);
  }
  PortClaim(const PortClaim&) = delete;
  PortClaim& operator=(const PortClaim&) = delete;
  bool Held() const { return claimed_; }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::set<std::string>& Claimed() {
    static std::set<std::string> names;
    return names;
  }
  std::string name_;
  bool claimed_ = false;
};

// Closes the port on every way out of the read-out.
class PortHandle {
 public:
  explicit PortHandle(HANDLE handle) : handle_(handle) {}
  ~PortHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  PortHandle(const PortHandle&) = delete;
  PortHandle& operator=(const PortHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool ConfigurePort(HANDLE port, HWND owner) {
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  GetCommState(port, &dcb);
  BuildCommDCBA("baud=115200 parity=N data=8 stop=1", &dcb);
  if (!SetCommState(port, &dcb)) {
    ShowErrorBox(owner, "Fehler beim Setzen der DCB-Struktur !");
    return false;
  }
  // A 64-byte read ends after 64 bytes, a 20 ms pause, or 10 x 64 + 500 ms in all.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = 20;
  timeouts.ReadTotalTimeoutMultiplier = 10;
  timeouts.ReadTotalTimeoutConstant = 500;
  timeouts.WriteTotalTimeoutMultiplier = 10;
  timeouts.WriteTotalTimeoutConstant = 50;
  if (!SetCommTimeouts(port, &timeouts)) {
    ShowErrorBox(owner, "Fehler beim Setzen der Timeouts !");
    return false;
  }
  return true;
}

// Complete sections go into the store, each under its lock; a section the
// reply broke off in leaves its channel as it was.
void CommitCompleteChannels(const ReplyResult& result) {
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const ChannelSection& section = result.channels[static_cast<std::size_t>(channel)];
    if (!section.complete) continue;
    if (section.hasData) {
      TheWaveformStore().CommitChannel(channel, section.samples);
    } else {
      TheWaveformStore().MarkWithoutData(channel);
    }
  }
}

void AcquisitionWorker(AcquisitionRequest request) {
  const HWND owner = request.owner;
  // Share mode 0: while one read-out holds the port, a second one cannot open it.
  const std::string portName = PortName();
  const PortClaim claim(portName);  // released after the port is closed
  PortHandle port(claim.Held() ? CreateFileA(portName.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                             nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE);
  if (!port.IsOpen()) {
    ShowErrorBox(owner,
                 "Fehler beim \xD6"
                 "ffnen des COM-Ports !");
    return;
  }
  if (!ConfigurePort(port.Get(), owner)) return;

  // The reply's positions count from its first byte: bytes left over from an
  // earlier reply (a tail the interface sent after the program gave up) must
  // not stand in front of it.
  PurgeComm(port.Get(), PURGE_RXCLEAR);
  DWORD written = 0;
  WriteFile(port.Get(), &request.command, 1, &written, nullptr);

  PortByteSource source(port.Get());
  const ReplyResult result = ParseReply(source);
  switch (result.outcome) {
    case ReplyOutcome::kNoAnswer:
      ShowErrorBox(owner, "Interface antwortet nicht !");
      return;
    case ReplyOutcome::kNotAReply:
      ShowErrorBox(owner, ForeignReplyMessage(result).c_str());
      return;
    case ReplyOutcome::kBrokenOff:
      CommitCompleteChannels(result);
      ShowErrorBox(owner,
                   "\xDC"
                   "bertragung abgebrochen !");
      break;
    case ReplyOutcome::kComplete:
      CommitCompleteChannels(result);
      ShowInformationBox(owner, ComposeSummary(result).c_str());
      break;
  }
  InvalidateRect(owner, nullptr, TRUE);
}

}  // namespace

void StartAcquisitionWorker(const AcquisitionRequest& request) {
  // The worker gets its own copy, so a later command cannot change a running read-out.
  try {
    std::thread([request] {
      try {
        AcquisitionWorker(request);
      } catch (...) {
        // Out of memory: the read-out ends without a word, the store as it was.
      }
    }).detach();
  } catch (...) {
    // No thread, no read-out; nothing to report.
  }
}

}  // namespace vexal
