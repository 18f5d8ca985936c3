#include "metafile_svg.h"

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>

#include <cstdio>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "page_text.h"

namespace kavu32::kavu {
namespace {

// A picture larger than this is refused rather than put into a page.
constexpr std::size_t MaxSvgBytes = 8u << 20;
constexpr double PixelsPerInch = 96;

// libwmf's SVG output, collected in memory. The device layer writes each
// text a picture draws as the one piece of output between the start tag and
// "</text>\n", as it stands in the file: those bytes are decoded and
// escaped here. No exception may cross libwmf's C frames: the callbacks
// note a failed allocation instead.
struct Output {
  std::string Svg;
  bool TooLarge = false;
  bool OutOfMemory = false;
  bool InText = false;
  std::vector<std::size_t> PieceStarts;  // of the current text element
  void (*DrawText)(wmfAPI*, wmfDrawText_t*) = nullptr;
};

int PutPiece(char* text, void* context) noexcept {
  auto& out = *static_cast<Output*>(context);
  const std::string_view piece(text);
  if (out.TooLarge || out.OutOfMemory) {
    return EOF;
  }
  if (out.Svg.size() + piece.size() > MaxSvgBytes) {
    out.TooLarge = true;
    return EOF;
  }
  try {
    if (out.InText) {
      out.PieceStarts.push_back(out.Svg.size());
    }
    out.Svg += piece;
  } catch (const std::bad_alloc&) {
    out.OutOfMemory = true;
    return EOF;
  }
  return 0;
}

int Restart(void* context) noexcept {
  auto& out = *static_cast<Output*>(context);
  out.Svg.clear();
  return 0;
}

void DrawEscapedText(wmfAPI* api, wmfDrawText_t* text) noexcept {
  auto& out = *static_cast<Output*>(api->user_data);
  const std::size_t elementStart = out.Svg.size();
  out.InText = true;
  out.PieceStarts.clear();
  out.DrawText(api, text);
  out.InText = false;
  const std::vector<std::size_t>& starts = out.PieceStarts;
  const std::size_t count = starts.size();
  if (out.TooLarge || out.OutOfMemory) {
    return;
  }
  if (count < 2 || std::string_view(out.Svg).substr(starts[count - 1]) != "</text>\n") {
    // Not the form expected: leave the text out rather than copy raw bytes.
    out.Svg.resize(elementStart);
    return;
  }
  const std::size_t start = starts[count - 2];
  const std::size_t length = starts[count - 1] - start;
  try {
    out.Svg.replace(start, length,
                    EscapeHtml(DecodeWindows1252(std::string_view(out.Svg).substr(start, length))));
  } catch (const std::bad_alloc&) {
    out.OutOfMemory = true;
  }
}

const char* Reason(wmf_error_t error) {
  switch (error) {
    case wmf_E_InsMem:
      return "out of memory";
    case wmf_E_BadFile:
      return "cannot read the file";
    case wmf_E_BadFormat:
      return "not a metafile, or a damaged one";
    case wmf_E_EOF:
      return "the file ends too early";
    default:
      return "libwmf cannot draw it";
  }
}

struct ApiDeleter {
  void operator()(wmfAPI* api) const { wmf_api_destroy(api); }
};

}  // namespace

bool CanDrawMetafiles() { return true; }

Drawing DrawMetafile(const std::string& path) {
  Drawing drawing;
  const auto fail = [&](std::string reason) {
    drawing.Message = path + " cannot be drawn: " + reason;
    return drawing;
  };
  // Declared before the API handle: destroying the handle may still write.
  Output out;
  wmfStream stream{&out, PutPiece, Restart};
  wmfAPI_Options options{};
  options.function = wmf_svg_function;
  wmfAPI* created = nullptr;
  const wmf_error_t createError = wmf_api_create(
      &created, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &options);
  const std::unique_ptr<wmfAPI, ApiDeleter> api(created);
  if (createError != wmf_E_None) {
    return fail(Reason(createError));
  }
  wmf_svg_t* device = WMF_SVG_GetData(api.get());
  auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
  out.DrawText = functions->draw_text;
  functions->draw_text = DrawEscapedText;
  api->user_data = &out;
  device->out = &stream;
  device->Description = nullptr;
  device->flags |= WMF_SVG_INLINE_IMAGES;

  wmf_error_t error = wmf_file_open(api.get(), path.c_str());
  if (error == wmf_E_None) {
    error = wmf_scan(api.get(), 0, &device->bbox);
  }
  if (error == wmf_E_None) {
    error = wmf_display_size(api.get(), &device->width, &device->height, PixelsPerInch, PixelsPerInch);
  }
  if (error != wmf_E_None) {
    return fail(Reason(error));
  }
  if (device->width == 0 || device->height == 0) {
    return fail("the picture has no size");
  }
  error = wmf_play(api.get(), 0, &device->bbox);
  if (out.TooLarge || out.OutOfMemory) {
    return fail(out.TooLarge ? "the picture is too large" : Reason(wmf_E_InsMem));
  }
  if (error != wmf_E_None) {
    return fail(Reason(error));
  }
  // Keep what lies inside the root element: the page writes its own.
  const std::size_t root = out.Svg.find("<svg");
  const std::size_t open = root == std::string::npos ? root : out.Svg.find('>', root);
  const std::size_t close = out.Svg.rfind("</svg>");
  if (open == std::string::npos || close == std::string::npos || close < open) {
    return fail("libwmf wrote no picture");
  }
  drawing.Width = device->width;
  drawing.Height = device->height;
  drawing.Content = out.Svg.substr(open + 1, close - open - 1);
  return drawing;
}

}  // namespace kavu32::kavu
