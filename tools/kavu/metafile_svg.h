// The report's pictures: Windows metafiles drawn as SVG for a page, by
// libwmf. A kavu built without libwmf draws none.
#pragma once

#include <string>

namespace kavu {

struct Drawing {
  // The picture's size in CSS pixels (96 to the inch).
  unsigned width = 0;
  unsigned height = 0;
  // The SVG elements that draw it, to stand inside an <svg> element whose
  // viewBox is 0 0 width height. Texts drawn in the picture are decoded
  // from Windows-1252 and escaped.
  std::string content;
  // Why there is no drawing; empty when there is one.
  std::string error;

  bool Ok() const { return error.empty(); }
};

// False when this kavu was built without libwmf.
bool CanDrawMetafiles();

// Reads the metafile at `path` and draws it.
Drawing DrawMetafile(const std::string& path);

}  // namespace kavu
