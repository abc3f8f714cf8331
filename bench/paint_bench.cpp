// Times one full paint of the oscilloscope picture at 1920 x 1080 under the
// real GDI: the demonstration traces, both labels, every grid line. Prints the
// median, the fastest and the 90th percentile of 200 paints, in milliseconds,
// into a window's client area and into a memory bitmap, and the main window's
// own paint (off-screen, then copied) with the cursors shown and in the spectrum view.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/demo_traces.h"
#include "app/window_state.h"
#include "display/gdi_waveform_renderer.h"
#include "display/offscreen_buffer.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPaints = 200;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%s median %.3f min %.3f p90 %.3f\n", name, times[times.size() / 2], times.front(),
              times[times.size() * 9 / 10]);
}

// Each paint describes its picture anew, as the window's does.
void PaintPicture(HDC dc, int charWidth, int charHeight) {
  vexal::WaveformRenderer(dc, vexal::ScreenPicture(96), {kWidth, kHeight, charWidth, charHeight});
}

// As the window paints: into its kept off-screen buffer, then copied.
void PaintWindow(HDC dc, int charWidth, int charHeight) {
  static vexal::OffscreenBuffer offscreen;
  vexal::PaintWaveformWindow(dc, {0, 0, kWidth, kHeight}, vexal::ScreenPicture(96),
                             {kWidth, kHeight, charWidth, charHeight}, nullptr, offscreen);
}

// `dcFor` yields a fresh device context for one paint, `done` gives it back.
template <typename Get, typename Release>
std::vector<double> TimePaints(Get dcFor, Release done,
                               void (*paint)(HDC, int, int) = PaintPicture) {
  LONG units = GetDialogBaseUnits();
  std::vector<double> times;
  for (int i = 0; i < kPaints; ++i) {
    HDC dc = dcFor();
    double start = Now();
    vexal::UpdateScaleLabels();
    paint(dc, LOWORD(units), HIWORD(units));
    GdiFlush();
    times.push_back(Now() - start);
    done(dc);
  }
  return times;
}

}  // namespace

int main() {
  vexal::TheWaveformStore().Replace(vexal::DemonstrationTraces());

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "PaintBench";
  RegisterClassA(&windowClass);
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRect(&frame, WS_POPUP, FALSE);
  HWND window = CreateWindowExA(0, "PaintBench", "Paint bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  RECT client;
  GetClientRect(window, &client);
  if (client.right != kWidth || client.bottom != kHeight) {
    std::printf("error the window's client area is %ld x %ld\n", client.right, client.bottom);
    return 1;
  }
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

  Report("window",
         TimePaints([&] { return GetDC(window); }, [&](HDC dc) { ReleaseDC(window, dc); }));

  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  Report("bitmap", TimePaints(
                       [&] {
                         HDC dc = CreateCompatibleDC(nullptr);
                         SelectObject(dc, bitmap);
                         return dc;
                       },
                       [](HDC dc) { DeleteDC(dc); }));
  DeleteObject(bitmap);

  vexal::ToggleCursors(vexal::TheCursors());
  Report("window-cursors", TimePaints([&] { return GetDC(window); },
                                      [&](HDC dc) { ReleaseDC(window, dc); }, PaintWindow));
  // The spectrum view: both channels' spectra computed and drawn for every paint.
  vexal::TheView().view = vexal::PictureView::kSpectrum;
  Report("window-spectrum", TimePaints([&] { return GetDC(window); },
                                       [&](HDC dc) { ReleaseDC(window, dc); }, PaintWindow));
  DestroyWindow(window);
  return 0;
}
