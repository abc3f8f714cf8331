#include "link/acquisition_worker.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "display/message_boxes.h"
#include "link/line_drain.h"
#include "link/port_name.h"
#include "link/reply_parser.h"
#include "scope/waveform_store.h"

namespace vexal {

namespace {

std::atomic<int> runningWorkers{0};

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
// Wine does not enforce that for serial devices, so a read-out also holds a
// named mutex for the port, which every program of the session sees, for as
// long as it holds the port.
class PortClaim {
 public:
  explicit PortClaim(const std::string& port)
      : mutex_(CreateMutexA(nullptr, FALSE, ("Local\\Vexal-" + port).c_str())) {
    // WAIT_ABANDONED: a program that held it has ended; the port is free.
    const DWORD wait = mutex_ != nullptr ? WaitForSingleObject(mutex_, 0) : WAIT_FAILED;
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  ~PortClaim() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_ != nullptr) CloseHandle(mutex_);
  }
  PortClaim(const PortClaim&) = delete;
  PortClaim& operator=(const PortClaim&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE mutex_;
  bool held_ = false;
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

// The port's clock, from the performance counter: the tick count moves in
// steps of 10 to 16 ms, too coarse for a quiet time of 20 ms.
class PortClock : public LineClock {
 public:
  std::int64_t NowMs() override {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    const std::int64_t ticks = counter.QuadPart, perSecond = frequency.QuadPart;
    return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
  }
  void Pause(std::uint32_t ms) override { Sleep(ms); }
};

// Drops what the line still carries (line_drain.h): an interface that is
// still sending the tail of a reply the program gave up on is done with it,
// and the reply to the next command starts at its first byte.
void DrainPort(HANDLE port) {
  // A read returns at once with what has come, or after 20 ms without a byte;
  // some drivers return at once either way, which DrainLine allows for.
  COMMTIMEOUTS quiet{};
  quiet.ReadIntervalTimeout = MAXDWORD;
  quiet.ReadTotalTimeoutMultiplier = MAXDWORD;
  quiet.ReadTotalTimeoutConstant = static_cast<DWORD>(kQuietMs);
  // No purge first: the drain must see a tail that is already waiting, or it
  // would take a pause after it for the end.
  if (!SetCommTimeouts(port, &quiet)) return;
  PortByteSource line(port);
  PortClock clock;
  DrainLine(line, clock);
}

// BuildCommDCB sets only what its text names. The driver keeps every other
// field across opens, as the last program left it (a terminal's RTS/CTS or
// XON/XOFF handshake, fAbortOnError), so each one is set here.
void SetLineAndFlow(HANDLE port, DCB& dcb) {
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  // No handshake: the interface raises neither CTS nor DSR.
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  // DTR and RTS on: many interface boxes draw their power from them.
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  // No XON/XOFF either way; the command byte is never held back.
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  // A framing error must not stop every later read until ClearCommError.
  dcb.fAbortOnError = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  // The standard characters (SetCommState refuses equal ones), and limits
  // that fit the driver's input queue: a half and an eighth of it, as
  // serial.sys sets them when the port is opened. Unknown, the driver's stay.
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  COMMPROP properties{};
  if (GetCommProperties(port, &properties) && properties.dwCurrentRxQueue >= 8 &&
      properties.dwCurrentRxQueue <= 0xFFFF) {
    dcb.XonLim = static_cast<WORD>(properties.dwCurrentRxQueue / 2);
    dcb.XoffLim = static_cast<WORD>(properties.dwCurrentRxQueue / 8);
  }
}

bool ConfigurePort(HANDLE port, HWND owner) {
  // An error the line met before is acknowledged first: while fAbortOnError
  // (left on by another program) has one pending, the driver refuses every
  // call on the port but this one, the settings below included.
  DWORD errors = 0;
  ClearCommError(port, &errors, nullptr);
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  bool set = GetCommState(port, &dcb) && BuildCommDCBA("baud=115200 parity=N data=8 stop=1", &dcb);
  if (set) SetLineAndFlow(port, dcb);
  if (!set || !SetCommState(port, &dcb)) {
    ShowErrorBox(owner, "Fehler beim Setzen der DCB-Struktur !");
    return false;
  }
  DrainPort(port);
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
void CommitCompleteChannels(const ReplyResult& result, WaveformStore& store) {
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const ChannelSection& section = result.channels[static_cast<std::size_t>(channel)];
    if (!section.complete) continue;
    if (section.hasData) {
      store.CommitChannel(channel, section.samples);
    } else {
      store.MarkWithoutData(channel);
    }
  }
}

void AcquisitionWorker(AcquisitionRequest request) {
  const HWND owner = request.owner;
  // Share mode 0: while one read-out holds the port, a second one cannot open it.
  const std::string portName = PortName();
  const PortClaim claim(portName);  // released after the port is closed
  // "\\.\COMn" is the one name that reaches COM10 and above; it serves every port.
  const std::string device = "\\\\.\\" + portName;
  PortHandle port(claim.Held() ? CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                             nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE);
  if (!port.IsOpen()) {
    ShowErrorBox(owner,
                 "Fehler beim \xD6"
                 "ffnen des COM-Ports !");
    return;
  }
  if (!ConfigurePort(port.Get(), owner)) return;

  // A driver that waits for a handshake the interface never gives writes
  // nothing within the write time-out.
  DWORD written = 0;
  if (!WriteFile(port.Get(), &request.command, 1, &written, nullptr) || written != 1) {
    ShowErrorBox(owner, "Fehler beim Senden an das Interface !");
    return;
  }

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
      CommitCompleteChannels(result, *request.store);
      ShowErrorBox(owner,
                   "\xDC"
                   "bertragung abgebrochen !");
      break;
    case ReplyOutcome::kComplete:
      CommitCompleteChannels(result, *request.store);
      ShowInformationBox(owner, ComposeSummary(result).c_str());
      break;
  }
  InvalidateRect(owner, nullptr, TRUE);
}

}  // namespace

void StartAcquisitionWorker(const AcquisitionRequest& request) {
  // The worker gets its own copy, so a later command cannot change a running read-out.
  try {
    ++runningWorkers;
    std::thread([request] {
      try {
        AcquisitionWorker(request);
      } catch (...) {
        // Out of memory: the read-out ends without a word, the store as it was.
      }
      --runningWorkers;
    }).detach();
  } catch (...) {
    --runningWorkers;  // no thread, no read-out; nothing to report
  }
}

bool AcquisitionWorkersRunning() {
  return runningWorkers > 0;
}

}  // namespace vexal
