// The birthday report as one self-contained HTML5 page: the texts in the
// text report's reading order, the zodiac and Chinese-year pictures beside
// their texts and the border picture framing the page, all inline SVG. A
// style sheet lays it out as a sheet on screen and on one printed page.
#ifndef KAVU32_TOOLS_KAVU_HTML_REPORT_H
#define KAVU32_TOOLS_KAVU_HTML_REPORT_H

#include <ostream>
#include <vector>

#include "library_session.h"

namespace kavu32::kavu {

// The pictures are looked for in the current folder, where the library
// found them.
void WriteHtmlReport(const LibrarySession& session, const std::vector<Category>& categories,
                     std::ostream& out);

}  // namespace kavu32::kavu

#endif
