// Canvases: a window of our own class painting the runs its control keeps, each with an
// opaque background in the canvas colour, in the canvas font.
#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {
namespace {

const wchar_t kCanvasClass[] = L"VarkonCanvas";

class CanvasPeer final : public NativePeer, public TextMeasure {
 public:
  explicit CanvasPeer(Control& control) : NativePeer(control) {
    RegisterControlClass(kCanvasClass, DefWindowProcW, nullptr, 0);
    CreateChild(kCanvasClass, 0);
    MakeFont();
  }

  ~CanvasPeer() override {
    if (font_) DeleteObject(font_);
  }

  void Update(Prop prop) override {
    if (prop != Prop::Drawing) {
      NativePeer::Update(prop);
      return;
    }
    if (canvas().fontFace() != face_ || canvas().fontHeight() != height_) MakeFont();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  }

  int TextWidth(const Text& text) override {
    std::wstring wide = Wide(text);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : DefaultFont());
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) override {
    switch (msg) {
      case WM_ERASEBKGND:
        *result = TRUE;  // the paint below covers everything
        return true;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        PaintOn(dc);
        EndPaint(hwnd_, &ps);
        *result = 0;
        return true;
      }
      case WM_PRINTCLIENT:
        PaintOn(reinterpret_cast<HDC>(wParam));
        *result = 0;
        return true;
      case WM_MOUSEMOVE:
        canvas().notifyMouseMove();
        *result = 0;
        return true;
      default:
        return false;
    }
  }

 private:
  Canvas& canvas() const { return static_cast<Canvas&>(control_); }

  void MakeFont() {
    if (font_) DeleteObject(font_);
    face_ = canvas().fontFace();
    height_ = canvas().fontHeight();
    font_ = CreateFontW(-height_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(face_).c_str());
  }

  void PaintOn(HDC dc) {
    COLORREF background = canvas().background();
    HBRUSH brush = CreateSolidBrush(background);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : DefaultFont());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, background);
    for (const CanvasRun& run : canvas().runs()) {
      std::wstring text = Wide(run.text);
      SetTextColor(dc, run.colour);
      TextOutW(dc, run.x, run.y, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, old);
  }

  HFONT font_ = nullptr;
  Text face_;
  int height_ = 0;
};

}  // namespace

std::unique_ptr<Peer> CreateCanvasPeer(Control& control) { return std::make_unique<CanvasPeer>(control); }

}  // namespace toolkit::win32
