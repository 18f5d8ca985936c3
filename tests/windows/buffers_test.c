/* Buffers the library cannot write: every export that delivers into one
 * answers -13 and writes nothing, whether the buffer is read-only,
 * reserved, released or in the first page of the address space; a buffer
 * of exactly the delivered size is enough wherever it lies. */
#include <stdio.h>

#include "fixture.h"
#include "host.h"

/* An export that delivers into the caller's buffer, and the size it
 * delivers for 19 June 1992 with the extra folder. */
typedef struct Delivery {
  const char* Name;
  int32_t (*Deliver)(const struct Delivery* delivery, void* buffer);
  int32_t DataType; /* GetData's only */
  int32_t Size;
} Delivery;

static int32_t DeliverCategories(const Delivery* delivery, void* buffer) {
  (void)delivery;
  return kavu.GetCategories(buffer);
}

static int32_t DeliverData(const Delivery* delivery, void* buffer) {
  return kavu.GetData(delivery->DataType, buffer);
}

static int32_t DeliverErrorString(const Delivery* delivery, void* buffer) {
  (void)delivery;
  kavu.GetData(10, (void*)1); /* an unmapped address: -13 */
  return kavu.GetErrorString(buffer);
}

/* Texts, memos, graphic file names and additional categories of both
 * kinds. */
static const Delivery Deliveries[] = {
    {"GetCategories", DeliverCategories, 0, EXTENDED_LIST_SIZE},
    {"GetErrorString", DeliverErrorString, 0, sizeof "Invalid buffer pointer"},
    {"GetData(2)", DeliverData, 2, sizeof FIXTURE_NEWS_1992},
    {"GetData(10)", DeliverData, 10, sizeof "In The News In 1992"},
    {"GetData(17)", DeliverData, 17, sizeof "Zodiac4.wmf"},
    {"GetData(19)", DeliverData, 19, sizeof "Border.wmf"},
    {"GetData(20)", DeliverData, 20, sizeof "199206"},
    {"GetData(27)", DeliverData, 27, sizeof EXTRAS_NOTE_199206},
};

#define DELIVERY_COUNT (sizeof Deliveries / sizeof Deliveries[0])

/* --- Buffers that are refused ------------------------------------------------ */

/* An address the library cannot write; Readable bytes of it can be read
 * back to see that nothing changed (none when it is not mapped). */
typedef struct RefusedBuffer {
  const char* Name;
  char* Address;
  size_t Readable;
} RefusedBuffer;

/* A region released between two that stay reserved, so that only an
 * allocation no larger than it could take its addresses again. */
static char* ReleasedRegion(char** fences) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const DWORD region = system.dwAllocationGranularity;
  char* base = VirtualAlloc(NULL, 3 * region, MEM_RESERVE, PAGE_NOACCESS);
  VirtualFree(base, 0, MEM_RELEASE);
  fences[0] = VirtualAlloc(base, region, MEM_RESERVE, PAGE_NOACCESS);
  fences[1] = VirtualAlloc(base + 2 * region, region, MEM_RESERVE, PAGE_NOACCESS);
  char* released = VirtualAlloc(base + region, region, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  VirtualFree(released, 0, MEM_RELEASE);
  ExpectTrue("a released region fenced by reserved ones",
             fences[0] == base && fences[1] == base + 2 * region && released == base + region);
  return released;
}

static void ExpectRefused(const Delivery* delivery, const RefusedBuffer* buffer) {
  char what[96];
  snprintf(what, sizeof what, "%s into %s", delivery->Name, buffer->Name);
  ExpectInt(what, delivery->Deliver(delivery, buffer->Address), -13);
  ExpectInt("GetErrorCode", kavu.GetErrorCode(), -13);
  if (buffer->Readable > 0) {
    ExpectTrue("nothing written", AllBytesAre(buffer->Address, buffer->Readable, GUARDED_FILL));
  }
}

static void TestRefusedBuffers(void) {
  GuardedPages readOnly = AllocateGuarded();
  DWORD previous;
  VirtualProtect(readOnly.Base, (SIZE_T)(readOnly.End - readOnly.Base), PAGE_READONLY, &previous);
  char* reserved = VirtualAlloc(NULL, 64 * 1024, MEM_RESERVE, PAGE_NOACCESS);
  char* fences[2];
  const RefusedBuffer buffers[] = {
      {"a read-only page", readOnly.Base, (size_t)(readOnly.End - readOnly.Base)},
      {"reserved memory", reserved, 0},
      {"a released region", ReleasedRegion(fences), 0},
      {"the first page", (char*)16, 0},
  };
  for (size_t i = 0; i < DELIVERY_COUNT; ++i) {
    for (size_t j = 0; j < sizeof buffers / sizeof buffers[0]; ++j) {
      ExpectRefused(&Deliveries[i], &buffers[j]);
    }
  }
  ExpectInt("GetErrorString(null) after -13", kavu.GetErrorString(NULL), sizeof "Invalid buffer pointer");
  VirtualFree(fences[0], 0, MEM_RELEASE);
  VirtualFree(fences[1], 0, MEM_RELEASE);
  VirtualFree(reserved, 0, MEM_RELEASE);
  FreeGuarded(&readOnly);
}

/* --- Buffers of exactly the size ------------------------------------------------ */

/* A buffer of exactly the size succeeds when it ends at the guard page;
 * one byte later it gives -13 and nothing is written. */
static void ExpectFitsAtEnd(const Delivery* delivery, const GuardedPages* pages) {
  char label[96];
  const int32_t size = delivery->Size;
  snprintf(label, sizeof label, "%s into the last %ld bytes", delivery->Name, (long)size);
  ExpectInt(label, delivery->Deliver(delivery, pages->End - size), size);
  ExpectTrue("written from its first byte", (unsigned char)pages->End[-size] != GUARDED_FILL);
  FillGuarded(pages);
  snprintf(label, sizeof label, "%s one byte too late", delivery->Name);
  ExpectInt(label, delivery->Deliver(delivery, pages->End - size + 1), -13);
  ExpectInt("GetErrorCode", kavu.GetErrorCode(), -13);
  ExpectTrue("nothing written", AllBytesAre(pages->Base, (size_t)(pages->End - pages->Base), GUARDED_FILL));
}

static void TestBuffersOfTheSize(void) {
  GuardedPages pages = AllocateGuarded();
  for (size_t i = 0; i < DELIVERY_COUNT; ++i) ExpectFitsAtEnd(&Deliveries[i], &pages);
  FreeGuarded(&pages);
}

void TestUnwritableBuffers(void) {
  char extraFolder[MAX_PATH];
  JoinPath(extraFolder, fixtureFolder, "extra");
  CreateEmptyFile("Zodiac4.wmf");
  CreateEmptyFile("Border.wmf");
  StartWith(fixtureFolder, extraFolder, MakeDate(1992, 6, 19), "Ann Lee");
  TestRefusedBuffers();
  TestBuffersOfTheSize();
  kavu.ShutDown();
  DeleteFileA("Zodiac4.wmf");
  DeleteFileA("Border.wmf");
}
