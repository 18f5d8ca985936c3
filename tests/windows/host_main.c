/* kavu32_windows_host FIXTURE_FOLDER [--sharing-child | --faults]
 *
 * Runs every check against Kavu32.dll from the current folder, which it
 * uses as scratch space, and ends with the line "N passed, N failed".
 * With --sharing-child it is the second process of the sharing test and
 * exits with its number of failed checks. With --faults it runs the fault
 * loop against Kavu32Faults.dll instead. */
#include <stdio.h>
#include <string.h>

#include "host.h"

static void SetFixtureFolder(const char* folder) {
  GetFullPathNameA(folder, sizeof fixtureFolder, fixtureFolder, NULL);
  const size_t length = strlen(fixtureFolder);
  if (length > 0 && fixtureFolder[length - 1] == '\\') fixtureFolder[length - 1] = '\0';
}

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  if (argc < 2) {
    printf("usage: kavu32_windows_host FIXTURE_FOLDER [--sharing-child | --faults]\n");
    return 2;
  }
  SetFixtureFolder(argv[1]);
  const char* mode = argc > 2 ? argv[2] : "";
  const int faults = strcmp(mode, "--faults") == 0;
  const int loaded = LoadKavu32(&kavu, faults ? "Kavu32Faults.dll" : "Kavu32.dll");
  if (loaded && strcmp(mode, "--sharing-child") == 0) return RunSharingChild();
  if (loaded && faults) {
    TestSystemCallFaults();
  } else if (loaded) {
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    TestFreshLibrary();
    TestExceptions();
    TestEndToEnd();
    TestTwoFolders();
    TestCategoryList();
    TestDataTypes();
    TestErrorStrings();
    TestUnwritableBuffers();
    TestHostileArguments();
    TestTableMessages();
    TestTwoProcesses(self);
  }
  printf("%d passed, %d failed\n", PassedCount(), FailedCount());
  return FailedCount() == 0 ? 0 : 1;
}
