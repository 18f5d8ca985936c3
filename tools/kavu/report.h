// The birthday report: every category of the list, asked in reading order.
#ifndef KAVU32_TOOLS_KAVU_REPORT_H
#define KAVU32_TOOLS_KAVU_REPORT_H

#include <ostream>
#include <string>
#include <vector>

#include "library_session.h"

namespace kavu32::kavu {

// Shared by the text report and the page.
inline constexpr int32_t ZodiacGraphic = 17;
inline constexpr int32_t ChineseGraphic = 18;
inline constexpr int32_t BorderGraphic = 19;

// The category of `dataType` in the list, or null.
const Category* FindCategory(const std::vector<Category>& categories, int32_t dataType);
// The additional categories' data types, in list order.
std::vector<int32_t> AdditionalTypes(const std::vector<Category>& categories);
// "[Name] error CODE: message", as a report shows an item it did not get.
std::string FailureText(const Category& category, const Answer& answer);

class ReportWriter {
 public:
  ReportWriter(const LibrarySession& session, const std::vector<Category>& categories, std::ostream& out);

  void Write();

 private:
  // Prints the items one after the other, then a blank line.
  void WriteSection(const std::vector<int32_t>& dataTypes);
  // Prints "Name: value" lines.
  void WriteLabelled(const std::vector<int32_t>& dataTypes);
  // Prints the text's lines; empty ones (a day with fewer than five
  // celebrities, say) are left out.
  void WriteText(const std::string& text);
  void WriteFailure(const Category& category, const Answer& answer);

  const LibrarySession& session_;
  const std::vector<Category>& categories_;
  std::ostream& out_;
};

}  // namespace kavu32::kavu

#endif
