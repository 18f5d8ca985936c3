// The report's pictures: Windows metafiles drawn as SVG for a page, by
// libwmf. A kavu built without libwmf draws none.
#ifndef KAVU32_TOOLS_KAVU_METAFILE_SVG_H
#define KAVU32_TOOLS_KAVU_METAFILE_SVG_H

#include <string>

namespace kavu32::kavu {

struct Drawing {
  // The picture's size in CSS pixels (96 to the inch).
  unsigned Width = 0;
  unsigned Height = 0;
  // The SVG elements that draw it, to stand inside an <svg> element whose
  // viewBox is 0 0 Width Height. Texts drawn in the picture are decoded
  // from Windows-1252 and escaped.
  std::string Content;
  // Why there is no drawing; empty when there is one.
  std::string Message;

  bool Ok() const { return Message.empty(); }
};

// False when this kavu was built without libwmf.
bool CanDrawMetafiles();

// Reads the metafile at `path` and draws it.
Drawing DrawMetafile(const std::string& path);

}  // namespace kavu32::kavu

#endif
