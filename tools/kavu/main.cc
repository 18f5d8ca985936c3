// kavu: prints a birthday report, the category list or one item, using the
// library through its exports only.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "folders.h"
#include "library_session.h"
#include "report.h"

namespace kavu {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitLibraryError = 1;
constexpr int kExitBadInput = 2;

constexpr const char* kUsage =
    "usage: kavu report [--data DIR] [--data2 DIR] [--graphics DIR] YYYY-MM-DD NAME\n"
    "       kavu categories [--data DIR] [--data2 DIR]\n"
    "       kavu get [--data DIR] [--data2 DIR] [--graphics DIR] TYPE YYYY-MM-DD NAME\n";

// Failures the library reports through its codes.
class LibraryFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void ExpectArguments(const CommandLine& line, std::size_t count) {
  if (line.arguments.size() != count) {
    throw UsageError(line.command + " takes " + std::to_string(count) + " argument" +
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
    throw LibraryFailure("cannot list the categories: error " + std::to_string(answer.code) +
                         ": " + answer.error);
  }
  return categories;
}

// Starts the library for a command whose arguments hold a date and a name
// at `dateAt`, lists the categories and runs `body` with them. The date's
// form is checked before any folder is looked at.
template <typename Body>
int WithDatedSession(const CommandLine& line, std::size_t dateAt, Body body) {
  const std::string& dateText = line.arguments[dateAt];
  const Kavu32Date date = BirthDateArgument(dateText);
  const Folders folders = ResolveFolders(line);
  EnterGraphicsFolder(folders);
  LibrarySession session(folders.data, folders.secondData);
  try {
    session.SetDateAndName(date, line.arguments[dateAt + 1]);
  } catch (const kavu32::Error& error) {
    throw UsageError("invalid date " + dateText + ": " + error.what());
  }
  return body(session, LoadCategories(session));
}

int RunReport(const CommandLine& line) {
  ExpectArguments(line, 2);
  return WithDatedSession(line, 0, [](const LibrarySession& session,
                                      const std::vector<Category>& categories) {
    ReportWriter(session, categories, std::cout).Write();
    return kExitOk;
  });
}

int RunCategories(const CommandLine& line) {
  ExpectArguments(line, 0);
  const Folders folders = ResolveFolders(line);
  LibrarySession session(folders.data, folders.secondData);
  std::cout << "DataType\tTypeCode\tName\n";
  for (const Category& category : LoadCategories(session)) {
    std::cout << category.dataType << '\t' << category.typeCode << '\t' << category.name << '\n';
  }
  return kExitOk;
}

int RunGet(const CommandLine& line) {
  ExpectArguments(line, 3);
  const auto dataType = ParseDataType(line.arguments[0]);
  if (!dataType) {
    throw UsageError("not a data type number: " + line.arguments[0]);
  }
  return WithDatedSession(line, 1, [&](const LibrarySession& session,
                                       const std::vector<Category>&) {
    const Answer answer = session.Get(*dataType);
    if (!answer.Ok()) {
      throw LibraryFailure("data type " + line.arguments[0] + ": error " +
                           std::to_string(answer.code) + ": " + answer.error);
    }
    std::fwrite(answer.bytes.data(), 1, answer.bytes.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitLibraryError;
  });
}

int Run(int argc, const char* const* argv) {
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.command == "report") {
    return RunReport(line);
  }
  if (line.command == "categories") {
    return RunCategories(line);
  }
  if (line.command == "get") {
    return RunGet(line);
  }
  throw UsageError("unknown command " + line.command);
}

}  // namespace
}  // namespace kavu

int main(int argc, char** argv) {
  try {
    return kavu::Run(argc, argv);
  } catch (const kavu::UsageError& error) {
    std::cerr << "kavu: " << error.what() << '\n' << kavu::kUsage;
    return kavu::kExitBadInput;
  } catch (const kavu::LibraryFailure& error) {
    std::cerr << "kavu: " << error.what() << '\n';
    return kavu::kExitLibraryError;
  } catch (const std::exception& error) {
    std::cerr << "kavu: " << error.what() << '\n';
    return kavu::kExitLibraryError;
  }
}
