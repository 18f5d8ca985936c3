// A table image of any bytes through the engine: Open, every field read in
// every conversion and every blob copied, FindKey with keys from the input
// and with keys read from the image's own records, the cursor moved, Close
// and Open again. Only kavu32::Error may leave the engine; a search that
// finds a record must land on one with the searched key, and one that
// finds nothing must leave the cursor and the field values as they were.
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/field.h"
#include "engine/search_key.h"
#include "engine/table.h"
#include "fuzz_input.h"
#include "kavu32.h"

namespace {

using kavu32::TsField;
using kavu32::TsKeyValue;
using kavu32::TsTable;
using Input = kavu32::fuzz::SteeredInput<kavu32::fuzz::table_control::Size>;

void Require(bool condition) {
  if (!condition) std::abort();
}

template <typename Call>
void Attempt(Call call) {
  try {
    call();
  } catch (const kavu32::Error&) {
  }
}

void ReadEveryConversion(const TsField& field) {
  Attempt([&] { (void)field.AsBoolean(); });
  Attempt([&] { (void)field.AsInteger(); });
  Attempt([&] { (void)field.AsFloat(); });
  Attempt([&] { (void)field.AsString(); });
  Attempt([&] { (void)field.AsDateTime(); });
  if (const auto* blob = dynamic_cast<const kavu32::TsBlobField*>(&field)) {
    kavu32::TMemoryStream copy;
    Attempt([&] { blob->SaveToStream(copy); });
    Require(copy.Size() == field.DataSize());
  }
}

void ReadEveryField(const TsTable& table) {
  (void)table.Title();
  for (int i = 0; i < table.FieldCount(); ++i) {
    const TsField& field = table.Fields(i);
    (void)field.FieldName();
    ReadEveryConversion(field);
  }
}

std::vector<std::vector<uint8_t>> FieldValues(const TsTable& table) {
  std::vector<std::vector<uint8_t>> values;
  for (int i = 0; i < table.FieldCount(); ++i) {
    const auto bytes = table.Fields(i).StoredBytes();
    values.emplace_back(bytes.begin(), bytes.end());
  }
  return values;
}

// FindKey under the checks above; errors of damaged records are allowed.
void CheckedFindKey(TsTable& table, std::span<const TsKeyValue> key) {
  const int32_t recordBefore = table.RecordNo();
  const auto valuesBefore = FieldValues(table);
  Attempt([&] {
    if (table.FindKey(key)) {
      std::vector<TsKeyValue> found;
      table.RecordKey(table.RecordNo(), found);
      Require(kavu32::CompareKeys(key, found) == 0);
    } else {
      Require(table.RecordNo() == recordBefore && FieldValues(table) == valuesBefore);
    }
  });
}

// The search values the control bytes describe; string values are cut
// from the image.
std::vector<TsKeyValue> SearchValues(const Input& input) {
  namespace control = kavu32::fuzz::table_control;
  const int32_t number = input.Int32At(control::Number);
  const auto unsignedNumber = static_cast<uint32_t>(number);
  const size_t count = input.Control[control::ValueCount] % (control::MaxValues + 1);
  std::vector<TsKeyValue> values;
  for (size_t i = 0; i < count; ++i) {
    switch (input.Control[control::Kinds + i] % 6) {
      case 0:
        values.push_back(TsKeyValue::OfInteger(number));
        break;
      case 1:
        values.push_back(TsKeyValue::OfBoolean(static_cast<uint8_t>(number)));
        break;
      case 2:
        values.push_back(TsKeyValue::OfCharacter(static_cast<char>(number)));
        break;
      case 3:
        values.push_back(TsKeyValue::OfExtended(number / 16.0));
        break;
      case 4: {
        const std::string_view image(reinterpret_cast<const char*>(input.Image.data()), input.Image.size());
        const size_t start = image.empty() ? 0 : (unsignedNumber & 0xffffu) % image.size();
        values.push_back(TsKeyValue::OfShortString(image.substr(start, unsignedNumber >> 24)));
        break;
      }
      default:
        values.push_back(TsKeyValue::OfKind(kavu32::LongTextKey));
        break;
    }
  }
  return values;
}

// Searches with the key of one of the image's own records.
void SearchRecordKey(TsTable& table, uint32_t selector) {
  if (table.RecordCount() <= 0) return;
  const auto recordNo = static_cast<int32_t>(selector % static_cast<uint32_t>(table.RecordCount()));
  std::vector<TsKeyValue> key;
  try {
    table.RecordKey(recordNo, key);
  } catch (const kavu32::Error&) {
    return;
  }
  CheckedFindKey(table, key);
  ReadEveryField(table);
}

void Exercise(TsTable& table, const Input& input) {
  const int32_t number = input.Int32At(kavu32::fuzz::table_control::Number);
  ReadEveryField(table);
  CheckedFindKey(table, SearchValues(input));
  ReadEveryField(table);
  Attempt([&] { (void)table.FindKey(number); });
  ReadEveryField(table);
  SearchRecordKey(table, static_cast<uint32_t>(number));
  Attempt([&] { table.GoToRecord(number); });
  Attempt([&] { table.GoToRecord(-1); });
  ReadEveryField(table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Input input(data, size);
  // A copy of exactly the image's size, so that any read outside it is
  // caught.
  const size_t imageSize = input.Image.size();
  const auto image = std::make_unique<uint8_t[]>(imageSize);
  std::copy(input.Image.begin(), input.Image.end(), image.get());

  TsTable table(image.get(), static_cast<int32_t>(imageSize));
  Attempt([&] { table.Open(); });
  if (!table.Active()) {
    // What a failed Open read stays readable; a closed table refuses to
    // search.
    (void)table.Title();
    for (int i = 0; i < table.FieldCount(); ++i) (void)table.Fields(i).FieldName();
    bool refused = false;
    try {
      (void)table.FindKey(0);
    } catch (const kavu32::Error&) {
      refused = true;
    }
    Require(refused);
    return 0;
  }
  Exercise(table, input);
  table.Close();
  Attempt([&] { table.Open(); });
  Require(table.Active());
  ReadEveryField(table);
  return 0;
}
