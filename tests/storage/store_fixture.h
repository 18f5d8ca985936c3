// A folder with the eight standard tables and the table catalogue and
// store to open them with.
#ifndef KAVU32_TESTS_STORAGE_STORE_FIXTURE_H
#define KAVU32_TESTS_STORAGE_STORE_FIXTURE_H

#include <string>

#include <gtest/gtest.h>

#include "storage/shared_storage.h"
#include "storage/tables_storage.h"
#include "testing/fixture_folder.h"

namespace kavu32::testing {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.WriteStandardTables(); }

  // The catalogue index of the table shown as display ("STONE TABLE"), or
  // -1.
  int IndexOf(const std::string& display) const {
    for (int i = 0; i < tables.TableCount(); ++i) {
      if (tables.GetTableName(i).DisplayName == display) return i;
    }
    return -1;
  }

  FixtureFolder folder;
  TTablesStorage tables;
  TSharedStorage store;
};

}  // namespace kavu32::testing

#endif
