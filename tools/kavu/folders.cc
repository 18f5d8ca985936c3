#include "folders.h"

#include <filesystem>
#include <system_error>

namespace kavu32::kavu {
namespace {

namespace fs = std::filesystem;

// A bundled folder: beside an installed kavu (BINDIR/../share/kavu32/NAME),
// otherwise the one this build made.
fs::path BundledFolder(const char* name, const char* builtFolder) {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path installed = program.parent_path() / KAVU_INSTALLED_DATA_DIR / name;
    if (fs::is_directory(installed, error)) {
      return installed;
    }
  }
  return builtFolder;
}

std::string ExistingFolder(const std::string& given, const fs::path& fallback, const char* what) {
  const fs::path folder = given.empty() ? fallback : fs::path(given);
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    throw UsageError(std::string(what) + " folder not found: " + folder.string());
  }
  return fs::absolute(folder, error).lexically_normal().string();
}

}  // namespace

Folders ResolveFolders(const CommandLine& line) {
  Folders folders;
  folders.Data = ExistingFolder(line.DataFolder, BundledFolder("tables", KAVU_BUNDLED_DATA_DIR), "data");
  // Without a second folder the first one is named twice: the library adds
  // nothing from it.
  folders.SecondData = line.SecondDataFolder.empty()
                           ? folders.Data
                           : ExistingFolder(line.SecondDataFolder, fs::path(), "second data");
  folders.Graphics =
      ExistingFolder(line.GraphicsFolder, BundledFolder("graphics", KAVU_BUNDLED_GRAPHICS_DIR), "graphics");
  return folders;
}

void EnterGraphicsFolder(const Folders& folders) {
  std::error_code error;
  fs::current_path(folders.Graphics, error);
  if (error) {
    throw UsageError("cannot enter the graphics folder " + folders.Graphics + ": " + error.message());
  }
}

}  // namespace kavu32::kavu
