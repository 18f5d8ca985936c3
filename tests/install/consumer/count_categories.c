/* A host of the installed library: prints how many categories the tables of
 * the given folder give. */
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
  printf("categories: %d\n", count);
  free(records);
  ShutDown();
  return 0;
}
