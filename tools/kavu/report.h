// The birthday report: every category of the list, asked in reading order.
#pragma once

#include <ostream>
#include <vector>

#include "library_session.h"

namespace kavu {

class ReportWriter {
 public:
  ReportWriter(const LibrarySession& session, const std::vector<Category>& categories,
               std::ostream& out);

  void Write();

 private:
  const Category* Find(int32_t dataType) const;
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

}  // namespace kavu
