#include "html_report.h"

#include <sstream>
#include <string>
#include <string_view>

#include "metafile_svg.h"
#include "page_text.h"
#include "report.h"

namespace kavu32::kavu {
namespace {

// Fonts Debian ships (fonts-urw-base35), the faces they stand in for on
// other systems, then the generic family.
constexpr std::string_view Style = R"css(
:root {
  --ink: #23234d;
  --gold: #8a6a1c;
  --paper: #fffdf5;
  --body-face: "C059", "Century Schoolbook", "New Century Schoolbook", "TeX Gyre Schola",
               Georgia, serif;
  --title-face: "P052", "Palatino", "Palatino Linotype", "URW Palladio L", "Book Antiqua",
                serif;
}
html { background: #e8e2d3; }
body {
  margin: 0;
  padding: 24px 8px;
  color: var(--ink);
  font: 10.5pt/1.35 var(--body-face);
}
.sheet {
  position: relative;
  box-sizing: border-box;
  width: 210mm;
  max-width: 100%;
  min-height: 279mm;
  margin: 0 auto;
  padding: 18mm 19mm 16mm;
  background: var(--paper);
  box-shadow: 0 2px 14px rgba(40, 30, 10, 0.3);
}
.border {
  position: absolute;
  inset: 0;
  width: 100%;
  height: 100%;
}
.content { position: relative; }
header { text-align: center; margin-bottom: 6mm; }
h1, h2, .date { font-family: var(--title-face); font-weight: bold; }
h1 { font-size: 1.6em; letter-spacing: 0.05em; margin: 0 0 2mm; text-wrap: balance; }
.age { font-style: italic; margin: 0; }
.date {
  display: inline-block;
  margin: 3mm 0 0;
  padding: 1mm 8mm;
  border-top: 0.8pt solid var(--gold);
  border-bottom: 0.8pt solid var(--gold);
  color: var(--gold);
  font-size: 1.25em;
  letter-spacing: 0.12em;
}
h2 {
  margin: 0 0 1.5mm;
  padding-bottom: 0.5mm;
  border-bottom: 0.6pt solid var(--gold);
  color: var(--gold);
  font-size: 1.1em;
  font-variant: small-caps;
  letter-spacing: 0.04em;
}
p, dl, dd { margin: 0; }
section { break-inside: avoid; }
h2 { break-after: avoid; }
p { orphans: 2; widows: 2; }
.columns { column-count: 2; column-gap: 9mm; }
.columns section { break-inside: auto; margin-bottom: 4mm; }
.sign {
  display: flex;
  align-items: center;
  gap: 6mm;
  margin-top: 3mm;
}
.sign.chinese { flex-direction: row-reverse; }
.sign figure { flex: none; width: 30mm; margin: 0; }
.sign figure svg { display: block; width: 100%; height: auto; }
.stone { margin-top: 6mm; text-align: center; font-style: italic; }
.more {
  display: grid;
  grid-template-columns: max-content 1fr;
  gap: 1mm 4mm;
  margin-top: 4mm;
}
.more dt { font-weight: bold; }
.failure { color: #8b1a1a; font-style: italic; }
/* A long report: smaller type. */
.sheet.long { font-size: 9pt; }
.long header { margin-bottom: 4mm; }
.long .columns section { margin-bottom: 3mm; }
.long .sign figure { width: 24mm; }
/* A very long report (a year of many news lines): smaller still. */
.sheet.longer { font-size: 8pt; }
.longer header { margin-bottom: 3mm; }
.longer .columns section { margin-bottom: 2mm; }
.longer .sign { margin-top: 2mm; }
.longer .sign figure { width: 20mm; }
.longer .stone { margin-top: 3mm; }
/* A metafile's polyline is a line only; libwmf leaves its fill unsaid. */
svg polyline { fill: none; }
/* The pictures name PostScript faces: Debian's versions of them first. */
svg text[style*="font-family:Times"] {
  font-family: "Nimbus Roman", Times, "Times New Roman", serif !important;
}
svg text[style*="font-family:Helvetica"] {
  font-family: "Nimbus Sans", Helvetica, Arial, sans-serif !important;
}
svg text[style*="font-family:Courier"] {
  font-family: "Nimbus Mono PS", Courier, "Courier New", monospace !important;
}
@media print {
  @page { margin: 10mm; }
  html, body { background: none; padding: 0; }
  body { font-size: 10pt; }
  .sheet.long { font-size: 8.5pt; }
  .sheet.longer { font-size: 7.5pt; }
  .longer .sign figure { width: 20mm; }
  .sheet {
    width: auto;
    min-height: 0;
    margin: 0;
    padding: 13mm 14mm 10mm;
    background: none;
    box-shadow: none;
  }
  .sign figure { width: 27mm; }
  /* On paper the border frames the printed page itself. */
  .border { position: fixed; }
  .sheet, .border { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)css";

// Above about this many lines in the two columns (and the additional
// categories) the page is set smaller, and above the second number smaller
// still, to stay on one printed sheet.
constexpr std::size_t LongColumnLines = 40;
constexpr std::size_t LongerColumnLines = 70;
constexpr std::size_t HeadingLines = 2;
constexpr std::size_t ColumnCharacters = 48;

// About how many lines of a column `text` fills.
std::size_t ColumnLines(std::string_view text) {
  std::size_t lines = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end;
    lines += end > start ? 1 + (end - start) / ColumnCharacters : 0;
    start = end + 1;
  }
  return lines;
}

class Page {
 public:
  Page(const LibrarySession& session, const std::vector<Category>& categories, std::ostream& out)
      : session_(session), categories_(categories), out_(out) {}

  void Write();

 private:
  // The item as an element `tag` holding its text, or the report's failure
  // line; nothing when the list lacks the category. Returns about how many
  // lines of a column it takes.
  std::size_t Block(int32_t dataType, std::string_view tag, std::string_view cssClass = {});
  // A heading and its body in a section.
  void Section(std::string_view cssClass, int32_t heading, int32_t body);
  // A sign's picture beside its title and text.
  void Sign(std::string_view cssClass, int32_t graphic, int32_t title, int32_t text);
  // The picture as an <svg> element; `attributes` stand in its start tag.
  void Picture(int32_t dataType, std::string_view id, std::string_view attributes);
  void Failure(std::string_view tag, const std::string& text);
  void Additional();
  std::string Title() const;

  const LibrarySession& session_;
  const std::vector<Category>& categories_;
  std::ostream& out_;
  std::ostringstream body_;
  std::size_t column_lines_ = 0;
};

void Page::Write() {
  Picture(BorderGraphic, "border-picture",
          "class=\"border\" preserveAspectRatio=\"none\" aria-hidden=\"true\"");
  body_ << "<div class=\"content\">\n<header>\n";
  Block(9, "h1");
  Block(1, "p", "age");
  Block(8, "p", "date");
  body_ << "</header>\n<div class=\"columns\">\n";
  Section("news", 10, 2);
  Section("famous", 11, 3);
  Section("entertainment", 15, 6);
  Section("sport", 16, 7);
  body_ << "</div>\n";
  Sign("zodiac", ZodiacGraphic, 12, 4);
  Sign("chinese", ChineseGraphic, 13, 5);
  Block(14, "p", "stone");
  Additional();
  body_ << "</div>\n";

  out_ << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
       << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
       << "<title>" << Title() << "</title>\n<style>" << Style << "</style>\n</head>\n"
       << "<body>\n<article class=\"sheet" << (column_lines_ > LongColumnLines ? " long" : "")
       << (column_lines_ > LongerColumnLines ? " longer" : "") << "\">\n"
       << body_.str() << "</article>\n</body>\n</html>\n";
}

std::size_t Page::Block(int32_t dataType, std::string_view tag, std::string_view cssClass) {
  const Category* category = FindCategory(categories_, dataType);
  if (category == nullptr) {
    return 0;
  }
  const Answer answer = session_.Get(dataType);
  if (!answer.Ok()) {
    Failure(tag, FailureText(*category, answer));
    return HeadingLines;
  }
  body_ << '<' << tag;
  if (!cssClass.empty()) {
    body_ << " class=\"" << cssClass << '"';
  }
  body_ << '>' << HtmlLines(answer.Bytes) << "</" << tag << ">\n";
  return ColumnLines(answer.Bytes);
}

void Page::Section(std::string_view cssClass, int32_t heading, int32_t body) {
  body_ << "<section class=\"" << cssClass << "\">\n";
  Block(heading, "h2");
  column_lines_ += HeadingLines + Block(body, "p");
  body_ << "</section>\n";
}

void Page::Sign(std::string_view cssClass, int32_t graphic, int32_t title, int32_t text) {
  body_ << "<section class=\"sign " << cssClass << "\">\n<figure>";
  Picture(graphic, std::string(cssClass) + "-picture", "role=\"img\"");
  body_ << "</figure>\n<div>\n";
  Block(title, "h2");
  Block(text, "p");
  body_ << "</div>\n</section>\n";
}

void Page::Picture(int32_t dataType, std::string_view id, std::string_view attributes) {
  const Category* category = FindCategory(categories_, dataType);
  if (category == nullptr) {
    return;
  }
  const Answer answer = session_.Get(dataType);
  if (!answer.Ok()) {
    Failure("p", FailureText(*category, answer));
    return;
  }
  const Drawing drawing = DrawMetafile(answer.Bytes);
  if (!drawing.Ok()) {
    Failure("p", '[' + category->Name + "] " + drawing.Message);
    return;
  }
  body_ << "<svg id=\"" << id << "\" " << attributes << " viewBox=\"0 0 " << drawing.Width << ' '
        << drawing.Height << "\" aria-label=\"" << EscapeHtml(DecodeWindows1252(category->Name)) << "\">"
        << drawing.Content << "</svg>\n";
}

void Page::Failure(std::string_view tag, const std::string& text) {
  body_ << '<' << tag << " class=\"failure\">" << EscapeHtml(DecodeWindows1252(text)) << "</" << tag << ">\n";
}

// The additional categories, each its name and its value.
void Page::Additional() {
  const std::vector<int32_t> types = AdditionalTypes(categories_);
  if (types.empty()) {
    return;
  }
  body_ << "<dl class=\"more\">\n";
  for (int32_t dataType : types) {
    body_ << "<dt>" << EscapeHtml(DecodeWindows1252(FindCategory(categories_, dataType)->Name)) << "</dt>\n";
    column_lines_ += Block(dataType, "dd");
  }
  body_ << "</dl>\n";
}

// The introduction heading, or a plain title when it is missing.
std::string Page::Title() const {
  const Answer heading = session_.Get(9);
  const std::string title = heading.Ok() ? EscapeHtml(DecodeWindows1252(heading.Bytes)) : "";
  return title.empty() ? "Birthday report" : title;
}

}  // namespace

void WriteHtmlReport(const LibrarySession& session, const std::vector<Category>& categories,
                     std::ostream& out) {
  Page(session, categories, out).Write();
}

}  // namespace kavu32::kavu
