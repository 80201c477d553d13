// Stands in for the Screen Saver Settings dialog's preview under Wine, which
// gives child windows no X window of their own: a top-level window whose
// client area is as large as the dialog's preview, and whose handle it
// prints, in decimal, on standard error. It ends when closed.

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kWidth = 152;
constexpr int kHeight = 112;

LRESULT CALLBACK Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSW type{};
  type.lpfnWndProc = Handle;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hbrBackground = nullptr;  // the preview is the program's to paint
  type.lpszClassName = L"PreviewStandIn";
  RegisterClassW(&type);
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window =
      CreateWindowW(L"PreviewStandIn", L"Preview stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, type.hInstance, nullptr);
  std::fprintf(stderr, "%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  std::fflush(stderr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
