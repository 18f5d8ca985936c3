/* A host of the installed library: prints how many categories the tables of
 * the given folder give, and sets a date only after checking it (an
 * invalid date would end a C host). */
#include <kavu32.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: count_categories DATA_FOLDER\n");
    return 2;
  }
  StartUp(argv[1], argv[1]);
  int32_t size = GetCategories(NULL);
  CategoryRecord* records = size > 0 ? malloc((size_t)size) : NULL;
  if (records == NULL || GetCategories(records) != size) {
    fprintf(stderr, "GetCategories failed: %d\n", (int)GetErrorCode());
    free(records);
    ShutDown();
    return 1;
  }
  int count = 0;
  while (records[count].DataType != 0) {
    ++count;
  }
  const Kavu32Date dates[] = {{1992, 2, 0, 30, 0, 0, 0, 0}, {1992, 6, 0, 19, 0, 0, 0, 0}};
  int valid = 0;
  for (size_t i = 0; i < sizeof dates / sizeof dates[0]; ++i) {
    if (!Kavu32DateIsValid(dates[i])) continue;
    SetDateAndName(dates[i], "Ann Lee");
    ++valid;
  }
  printf("categories: %d, valid dates: %d, first heading: %d bytes\n", count, valid, (int)GetData(9, NULL));
  free(records);
  ShutDown();
  return 0;
}
