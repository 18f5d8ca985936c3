// The pictures of a kavu built without libwmf: none.
#include "metafile_svg.h"

namespace kavu32::kavu {

bool CanDrawMetafiles() { return false; }

Drawing DrawMetafile(const std::string& path) {
  Drawing drawing;
  drawing.Message = path + " cannot be drawn: kavu was built without libwmf";
  return drawing;
}

}  // namespace kavu32::kavu
