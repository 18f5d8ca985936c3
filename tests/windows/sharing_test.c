/* Two processes share the named mappings. The first maps the fixture's
 * tables; the second starts with variant\ first, whose Event.dtf has the
 * same size but other bytes. Finding EVENT(TABLE) by name, it reads the
 * first process's bytes, and keeps reading them after the first one's
 * ShutDown; its next GetCategories maps its own file. */
#include <stdio.h>
#include <string.h>

#include "fixture.h"
#include "host.h"

#define CHILD_READY_EVENT "Kavu32HostChildReady"
#define PARENT_DOWN_EVENT "Kavu32HostParentDown"
#define WAIT_MILLISECONDS 60000

static const char FixtureNews[] = FIXTURE_NEWS_1992;
static const char VariantNews[] = VARIANT_NEWS_1992;

static HANDLE StartChild(const char* hostPath) {
  char commandLine[3 * MAX_PATH];
  STARTUPINFOA startup = {0};
  PROCESS_INFORMATION process = {0};
  startup.cb = sizeof startup;
  snprintf(commandLine, sizeof commandLine, "\"%s\" \"%s\" --sharing-child", hostPath, fixtureFolder);
  if (!CreateProcessA(hostPath, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
    return NULL;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

void TestTwoProcesses(const char* hostPath) {
  HANDLE childReady = CreateEventA(NULL, TRUE, FALSE, CHILD_READY_EVENT);
  HANDLE parentDown = CreateEventA(NULL, TRUE, FALSE, PARENT_DOWN_EVENT);
  StartWith(fixtureFolder, "", MakeDate(1992, 6, 19), "Ann Lee");
  ExpectDataBytes(2, FixtureNews, sizeof FixtureNews - 1);

  HANDLE child = StartChild(hostPath);
  ExpectTrue("second process started", child != NULL);
  if (child == NULL) {
    kavu.ShutDown();
    return;
  }
  HANDLE waitFor[2] = {childReady, child};
  ExpectInt("second process has read the tables",
            WaitForMultipleObjects(2, waitFor, FALSE, WAIT_MILLISECONDS), WAIT_OBJECT_0);
  kavu.ShutDown();
  ExpectTrue("the second process keeps EVENT(TABLE) alive", MappingExists("EVENT(TABLE)"));
  SetEvent(parentDown);

  DWORD childFailures = 1;
  ExpectInt("second process ends", WaitForSingleObject(child, WAIT_MILLISECONDS), WAIT_OBJECT_0);
  GetExitCodeProcess(child, &childFailures);
  ExpectInt("failed checks of the second process", childFailures, 0);
  ExpectTrue("no EVENT(TABLE) once both have shut down", !MappingExists("EVENT(TABLE)"));
  CloseHandle(child);
  CloseHandle(childReady);
  CloseHandle(parentDown);
}

int RunSharingChild(void) {
  char variantFolder[MAX_PATH];
  HANDLE childReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, CHILD_READY_EVENT);
  HANDLE parentDown = OpenEventA(SYNCHRONIZE, FALSE, PARENT_DOWN_EVENT);
  ExpectTrue("second process: events of the first", childReady != NULL && parentDown != NULL);
  ExpectTrue("second process: EVENT(TABLE) exists before its StartUp", MappingExists("EVENT(TABLE)"));

  JoinPath(variantFolder, fixtureFolder, "variant");
  ExpectInt("second process: GetCategories",
            StartWith(variantFolder, fixtureFolder, MakeDate(1992, 6, 19), "Ann Lee"), STANDARD_LIST_SIZE);
  ExpectDataBytes(2, FixtureNews, sizeof FixtureNews - 1);
  SetEvent(childReady);

  ExpectInt("second process: first process shut down", WaitForSingleObject(parentDown, WAIT_MILLISECONDS),
            WAIT_OBJECT_0);
  ExpectDataBytes(2, FixtureNews, sizeof FixtureNews - 1);
  ExpectDataText(14, "Pearl");

  ExpectInt("second process: GetCategories again", kavu.GetCategories(NULL), STANDARD_LIST_SIZE);
  ExpectDataBytes(2, VariantNews, sizeof VariantNews - 1);
  kavu.ShutDown();
  CloseHandle(childReady);
  CloseHandle(parentDown);
  return FailedCount();
}
