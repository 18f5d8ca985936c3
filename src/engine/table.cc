#include "engine/table.h"

#include <algorithm>
#include <utility>

#include "engine/engine_errors.h"
#include "support/error.h"

namespace kavu32 {

TsTable::TsTable(const uint8_t* image, int32_t imageSize) : image_(image), image_size_(imageSize) {}

TsTable::~TsTable() { Close(); }

void TsTable::Open() {
  if (active_) throw Error(TableIsOpen);
  ClearFieldDefinitions();
  ReleaseImageReaders();
  record_no_ = -1;
  try {
    data_stream_ = std::make_unique<TSharedMemoryStream>();
    data_stream_->Attach(image_, image_size_);
    ReadHeader();
    ReadFieldDescriptors();
    ReadRecordOffsets();
    GoToRecord(0);
  } catch (...) {
    // Title, header values and fields stay readable; nothing refers to the
    // image any more.
    ReleaseImageReaders();
    throw;
  }
  active_ = true;
  edit_mode_ = false;
  search_high_ = RecordCount() - 1;
}

void TsTable::Close() {
  if (!active_) return;
  active_ = false;
  ReleaseImageReaders();
  ClearFieldDefinitions();
}

std::string TsTable::Title() const {
  const size_t length = std::min<size_t>(title_[0], MaxTitleLength);
  return std::string(reinterpret_cast<const char*>(title_.data() + 1), length);
}

void TsTable::ClearFieldDefinitions() {
  key_fields_.Clear();
  key_types_.clear();
  fields_.Clear();
}

void TsTable::ReleaseImageReaders() {
  record_offsets_.Clear();
  data_stream_.reset();
}

void TsTable::ReadHeader() {
  if (image_size_ < HeaderSize) throw Error(HeaderCutOff);
  TSharedMemoryStream& stream = *data_stream_;
  stream.Seek(0);
  stream.ReadBuffer(title_.data(), TitleBlockSize);
  stream.ReadBuffer(&data_start_, sizeof data_start_);
  stream.ReadBuffer(&index_start_, sizeof index_start_);
  if (title_[0] > MaxTitleLength) throw Error(TitleTooLong);
  if (data_start_ < HeaderSize || data_start_ > image_size_ ||
      (data_start_ - HeaderSize) % DescriptorSize != 0) {
    throw Error(BadDataStart);
  }
}

void TsTable::ReadFieldDescriptors() {
  TSharedMemoryStream& stream = *data_stream_;
  stream.Seek(HeaderSize);
  // DataStart lies a whole number of descriptors past the header, inside
  // the image, so every read succeeds and the loop ends there.
  while (stream.Position() != data_start_) {
    uint8_t descriptor[DescriptorSize];
    stream.ReadBuffer(descriptor, DescriptorSize);
    const uint8_t nameLength = descriptor[0];
    if (nameLength > MaxFieldNameLength) throw Error(FieldNameTooLong);
    AddField(std::string(reinterpret_cast<const char*>(descriptor + 1), nameLength),
             descriptor[NameBlockSize], descriptor[NameBlockSize + 1]);
  }
}

void TsTable::ReadRecordOffsets() {
  if (index_start_ < 0) throw Error(StreamReadError);
  // A trailing piece shorter than an offset does not count; an index at or
  // past the image's end lists nothing.
  const int64_t listSize = (int64_t{image_size_} - index_start_) / RecordOffsetSize * RecordOffsetSize;
  if (listSize <= 0) return;
  data_stream_->Seek(index_start_);
  record_offsets_.CopyFrom(*data_stream_, listSize);
}

// The key is the leading run of flagged fields of types 0 to 4; the first
// field that is unflagged or a blob ends it. Other type codes make no field.
void TsTable::AddField(std::string name, uint8_t typeCode, uint8_t keyFlag) {
  if (active_) return;
  std::unique_ptr<TsField> field = NewField(this, typeCode, std::move(name));
  if (!field) return;
  TsField* added = field.get();
  fields_.Add(std::move(field));
  const bool extendsKey =
      IsKeyableType(typeCode) && (keyFlag & KeyFlagBit) != 0 && FieldCount() == KeyFieldCount() + 1;
  if (extendsKey) {
    key_fields_.Add(added);
    key_types_.push_back(typeCode);
  }
}

void TsTable::GoToRecord(int32_t n) {
  if (n >= RecordCount()) return;
  if (n < 0) {
    ClearFields();
    record_no_ = -1;
    return;
  }
  const int32_t offset = record_offsets_.Items(n);
  ReadRecord(offset);
  record_no_ = n;
}

void TsTable::SeekRecord(int32_t offset) {
  if (offset < 0 || offset > image_size_) throw Error(StreamReadError);
  data_stream_->Seek(offset);
}

void TsTable::ReadRecord(int32_t offset) {
  SeekRecord(offset);
  for (int i = 0; i < FieldCount(); ++i) fields_[i].ReadValue(*data_stream_);
  data_stream_->Seek(offset);
}

// The stored setters act only in edit mode, which lasts for the clearing.
void TsTable::ClearFields() {
  struct EditModeScope {
    explicit EditModeScope(bool& flag) : Flag(flag) { Flag = true; }
    ~EditModeScope() { Flag = false; }
    bool& Flag;
  } editMode(edit_mode_);
  for (int i = 0; i < FieldCount(); ++i) fields_[i].Clear();
}

}  // namespace kavu32
