/* A host of the Windows release archive that links its import library
 * instead of loading the DLL by name, and so calls all seven exports
 * through it: it counts the categories of the data folder it is given,
 * prints two items for 19 June 1992 and the error of a data type the list
 * lacks. Run it in the folder of the pictures. */
#include <stdio.h>
#include <stdlib.h>

#include "kavu32.h"

static void PrintItem(int32_t dataType) {
  const int32_t size = GetData(dataType, NULL);
  char* text = size > 0 ? malloc((size_t)size) : NULL;
  if (text != NULL && GetData(dataType, text) == size) {
    printf("%d: %s\n", (int)dataType, text);
  } else {
    char message[128] = "";
    if (GetErrorString(NULL) <= (int32_t)sizeof message) GetErrorString(message);
    printf("%d: error %d: %s\n", (int)dataType, (int)GetErrorCode(), message);
  }
  free(text);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: archive_host DATA_FOLDER\n");
    return 2;
  }
  StartUp(argv[1], "");
  const int32_t size = GetCategories(NULL);
  CategoryRecord* list = size > 0 ? malloc((size_t)size) : NULL;
  if (list == NULL || GetCategories(list) != size) {
    printf("GetCategories: error %d\n", (int)GetErrorCode());
    free(list);
    ShutDown();
    return 1;
  }
  int count = 0;
  while (list[count].DataType != 0) ++count;
  printf("categories: %d\n", count);
  free(list);

  const Kavu32Date date = {1992, 6, 0, 19, 0, 0, 0, 0};
  SetDateAndName(date, "Ann Lee");
  PrintItem(9);   /* Introduction Title */
  PrintItem(17);  /* Zodiac Graphic */
  PrintItem(999); /* not in the list */
  ShutDown();
  return 0;
}
