// Where the host finds its tables and pictures.
#ifndef KAVU32_TOOLS_KAVU_FOLDERS_H
#define KAVU32_TOOLS_KAVU_FOLDERS_H

#include <string>

#include "command_line.h"

namespace kavu32::kavu {

struct Folders {
  std::string Data;
  std::string SecondData;
  std::string Graphics;
};

// The folders of the command line, the bundled ones where none is given
// (those of an installation when this kavu is installed, else the build's),
// as absolute paths. Raises UsageError for a folder that does not exist.
Folders ResolveFolders(const CommandLine& line);

// Makes the graphics folder the current one: the library looks for the
// pictures there.
void EnterGraphicsFolder(const Folders& folders);

}  // namespace kavu32::kavu

#endif
