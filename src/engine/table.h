// TsTable: one open .dtf table read in place from a memory image, with a
// read-only cursor moved by FindKey, a bisection over the record offsets.
#ifndef KAVU32_ENGINE_TABLE_H
#define KAVU32_ENGINE_TABLE_H

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/field.h"
#include "engine/longint_list.h"
#include "engine/search_key.h"
#include "engine/shared_memory_stream.h"
#include "engine/table_format.h"
#include "support/object_list.h"

namespace kavu32 {

class TsTable {
 public:
  // Reads nothing; the image must stay readable and unchanged from Open
  // until Close.
  TsTable(const uint8_t* image, int32_t imageSize);
  TsTable(const TsTable&) = delete;
  TsTable& operator=(const TsTable&) = delete;
  ~TsTable();

  // Reads header, descriptors and record offsets and makes record 0
  // current. A malformed image fails with a kavu32::Error and never reads
  // outside the image; the title, header values and the fields read before
  // the failure stay readable, and the table stays closed.
  void Open();
  void Close();

  bool Active() const { return active_; }
  std::string Title() const;
  int32_t DataStart() const { return data_start_; }
  int32_t IndexStart() const { return index_start_; }
  int FieldCount() const { return fields_.Count(); }
  // Fails with "List index out of bounds" outside 0..FieldCount()-1.
  TsField& Fields(int n) const { return fields_[n]; }
  int KeyFieldCount() const { return key_fields_.Count(); }
  TsField& KeyFields(int n) const { return key_fields_[n]; }
  int32_t RecordCount() const { return record_offsets_.Count(); }
  // -1 when no record is current.
  int32_t RecordNo() const { return record_no_; }
  bool EditMode() const { return edit_mode_; }

  // True when a record with that key was found and made current; false
  // leaves the cursor and every field value as they were. The first value
  // is for the first key field and so on; values beyond the key fields
  // (and beyond 255) are ignored. A value whose kind does not suit its key
  // field finds nothing.
  bool FindKey(std::span<const TsKeyValue> values);
  // The one-integer search every data builder makes.
  bool FindKey(int32_t key);

  // n >= RecordCount(): nothing. n < 0: every field cleared, no record
  // current. Otherwise record n is read and made current.
  void GoToRecord(int32_t n);

  // The key field values of record n, without moving the cursor. String
  // items refer to the image. Fails like FindKey's probes do.
  void RecordKey(int32_t n, std::vector<TsKeyValue>& key);

 private:
  struct SearchResult {
    int32_t RecordNo = -1;
    int Comparison = 1;
  };

  void ClearFieldDefinitions();
  void ReleaseImageReaders();
  void ReadHeader();
  void ReadFieldDescriptors();
  void ReadRecordOffsets();
  void AddField(std::string name, uint8_t typeCode, uint8_t keyFlag);
  // Positions the data stream at a record; "Stream read error" when the
  // offset lies outside the image.
  void SeekRecord(int32_t offset);
  void ReadRecord(int32_t offset);
  void ClearFields();
  bool SearchSuitsKey(std::span<const TsKeyValue> search) const;
  // The bisection between SearchLow and SearchHigh; compare(n) is the
  // order of the search key against the key of record n.
  template <typename Compare>
  SearchResult Bisect(Compare&& compare) const;
  SearchResult Search(std::span<const TsKeyValue> search);

  const uint8_t* image_;
  int32_t image_size_;
  std::array<uint8_t, TitleBlockSize> title_{};
  int32_t data_start_{};
  int32_t index_start_{};
  int32_t record_no_{};
  std::unique_ptr<TSharedMemoryStream> data_stream_;
  TLongintList record_offsets_;
  bool active_ = false;
  TList<TsField> fields_{TList<TsField>::Owning};
  TList<TsField> key_fields_{TList<TsField>::Referring};
  std::vector<uint8_t> key_types_;
  bool edit_mode_ = false;
  int32_t search_low_{};
  int32_t search_high_ = -1;
  std::vector<TsKeyValue> record_key_;  // reused by every probe
};

}  // namespace kavu32

#endif
