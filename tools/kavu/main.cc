// kavu: prints a birthday report, the category list or one item, using the
// library through its exports only.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "folders.h"
#include "html_report.h"
#include "library_session.h"
#include "metafile_svg.h"
#include "page_text.h"
#include "report.h"

namespace kavu32::kavu {
namespace {

constexpr int ExitOk = 0;
constexpr int ExitLibraryError = 1;
constexpr int ExitBadInput = 2;

constexpr const char* ReportUsage =
    "usage: kavu report [--html] [--output FILE] [--data DIR] [--data2 DIR] [--graphics DIR]\n"
    "                   YYYY-MM-DD NAME\n";
constexpr const char* OtherUsage =
    "       kavu categories [--data DIR] [--data2 DIR]\n"
    "       kavu get [--data DIR] [--data2 DIR] [--graphics DIR] TYPE YYYY-MM-DD NAME\n"
    "       kavu --help, kavu COMMAND --help\n";

constexpr const char* FolderHelp =
    "  --data DIR      the first data folder (default: the bundled tables)\n"
    "  --data2 DIR     a second data folder; its tables add to the first's\n"
    "  --graphics DIR  where the pictures are (default: the bundled ones)\n";

constexpr const char* Help =
    "kavu asks the Kavu32 library about a birth date.\n"
    "\n"
    "  report      the birthday report for a date and a name, as text or as a page\n"
    "  categories  the category list: data type, type code, name\n"
    "  get         one item's bytes exactly as the library delivers them\n"
    "\n";

constexpr const char* ReportHelp =
    "\n"
    "Prints the birthday report for the date and the name: the library's texts\n"
    "in reading order, the pictures' file names, then any additional categories.\n"
    "\n"
    "  --html          write one self-contained HTML5 page (UTF-8) instead: the\n"
    "                  texts, the zodiac and Chinese-year pictures and the border\n"
    "                  framing the page, drawn as inline SVG, with a print style\n"
    "                  that fits the report on one A4 or Letter page. A picture\n"
    "                  that is missing or unreadable leaves its error in its place.\n"
    "  --output FILE   write to FILE instead of standard output\n";

constexpr const char* NoPictures = "                  Not in this kavu: it was built without libwmf.\n";

void PrintHelp(const std::string& command) {
  if (command == "report") {
    std::cout << ReportUsage << ReportHelp << (CanDrawMetafiles() ? "" : NoPictures) << FolderHelp;
    return;
  }
  std::cout << Help << ReportUsage << OtherUsage << '\n'
            << FolderHelp << "  --html, --output FILE: see kavu report --help\n";
}

// Failures the library reports through its codes.
class LibraryFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void ExpectArguments(const CommandLine& line, std::size_t count) {
  if (line.Arguments.size() != count) {
    throw UsageError(line.Command + " takes " + std::to_string(count) + " argument" +
                     (count == 1 ? "" : "s"));
  }
}

Kavu32Date BirthDateArgument(const std::string& text) {
  const auto date = ParseBirthDate(text);
  if (!date) {
    throw UsageError("not a date of the form YYYY-MM-DD: " + text);
  }
  return *date;
}

std::vector<Category> LoadCategories(const LibrarySession& session) {
  std::vector<Category> categories;
  const Answer answer = session.ListCategories(categories);
  if (!answer.Ok()) {
    throw LibraryFailure("cannot list the categories: error " + std::to_string(answer.Code) + ": " +
                         answer.Message);
  }
  return categories;
}

// Starts the library for a command whose arguments hold a date at
// `dateAt`, sets it with `name`, lists the categories and runs `body` with
// them. The date's form is checked before any folder is looked at.
template <typename Body>
int WithDatedSession(const CommandLine& line, std::size_t dateAt, const std::string& name, Body body) {
  const std::string& dateText = line.Arguments[dateAt];
  const Kavu32Date date = BirthDateArgument(dateText);
  const Folders folders = ResolveFolders(line);
  EnterGraphicsFolder(folders);
  LibrarySession session(folders.Data, folders.SecondData);
  try {
    session.SetDateAndName(date, name);
  } catch (const kavu32::Error& error) {
    throw UsageError("invalid date " + dateText + ": " + error.what());
  }
  return body(session, LoadCategories(session));
}

// Writes the whole report at once, to the file or to standard output.
int Deliver(const std::string& report, const std::filesystem::path& file) {
  if (file.empty()) {
    std::cout << report << std::flush;
    if (!std::cout) {
      throw std::runtime_error("cannot write the report to standard output");
    }
    return ExitOk;
  }
  std::ofstream out(file, std::ios::binary);
  out << report;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
  return ExitOk;
}

int RunReport(const CommandLine& line) {
  ExpectArguments(line, 2);
  if (line.Html && !CanDrawMetafiles()) {
    throw std::runtime_error(
        "report --html is not available: kavu was built without libwmf "
        "(Debian: libwmf-dev)");
  }
  // Named before the session enters the graphics folder.
  const std::filesystem::path file =
      line.OutputFile.empty() ? std::filesystem::path() : std::filesystem::absolute(line.OutputFile);
  // The page is UTF-8, the library's texts Windows-1252: so is the name it
  // gets from the command line.
  const std::string& name = line.Arguments[1];
  const auto write = [&](const LibrarySession& session, const std::vector<Category>& categories) {
    std::ostringstream report;
    if (line.Html) {
      WriteHtmlReport(session, categories, report);
    } else {
      ReportWriter(session, categories, report).Write();
    }
    return Deliver(report.str(), file);
  };
  return WithDatedSession(line, 0, line.Html ? EncodeWindows1252(name) : name, write);
}

int RunCategories(const CommandLine& line) {
  ExpectArguments(line, 0);
  const Folders folders = ResolveFolders(line);
  LibrarySession session(folders.Data, folders.SecondData);
  std::cout << "DataType\tTypeCode\tName\n";
  for (const Category& category : LoadCategories(session)) {
    std::cout << category.DataType << '\t' << category.TypeCode << '\t' << category.Name << '\n';
  }
  return ExitOk;
}

int RunGet(const CommandLine& line) {
  ExpectArguments(line, 3);
  const auto dataType = ParseDataType(line.Arguments[0]);
  if (!dataType) {
    throw UsageError("not a data type number: " + line.Arguments[0]);
  }
  return WithDatedSession(line, 1, line.Arguments[2],
                          [&](const LibrarySession& session, const std::vector<Category>&) {
                            const Answer answer = session.Get(*dataType);
                            if (!answer.Ok()) {
                              throw LibraryFailure("data type " + line.Arguments[0] + ": error " +
                                                   std::to_string(answer.Code) + ": " + answer.Message);
                            }
                            std::fwrite(answer.Bytes.data(), 1, answer.Bytes.size(), stdout);
                            return std::fflush(stdout) == 0 ? ExitOk : ExitLibraryError;
                          });
}

int Run(int argc, const char* const* argv) {
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.Help) {
    PrintHelp(line.Command);
    return ExitOk;
  }
  if (line.Command != "report" && (line.Html || !line.OutputFile.empty())) {
    throw UsageError("--html and --output are options of report");
  }
  if (line.Command == "report") {
    return RunReport(line);
  }
  if (line.Command == "categories") {
    return RunCategories(line);
  }
  if (line.Command == "get") {
    return RunGet(line);
  }
  throw UsageError("unknown command " + line.Command);
}

}  // namespace
}  // namespace kavu32::kavu

int main(int argc, char** argv) {
  try {
    return kavu32::kavu::Run(argc, argv);
  } catch (const kavu32::kavu::UsageError& error) {
    std::cerr << "kavu: " << error.what() << '\n' << kavu32::kavu::ReportUsage << kavu32::kavu::OtherUsage;
    return kavu32::kavu::ExitBadInput;
  } catch (const kavu32::kavu::LibraryFailure& error) {
    std::cerr << "kavu: " << error.what() << '\n';
    return kavu32::kavu::ExitLibraryError;
  } catch (const std::exception& error) {
    std::cerr << "kavu: " << error.what() << '\n';
    return kavu32::kavu::ExitLibraryError;
  }
}
