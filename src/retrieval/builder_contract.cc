#include "retrieval/builder_contract.h"

#include <utility>

#include "engine/field.h"
#include "engine/table.h"
#include "support/error_codes.h"
#include "retrieval/delivery.h"
#include "support/error.h"

namespace kavu32 {

void Preset(int32_t code) { State().ErrorCode = code; }

void EmptyResultHolders() {
  LibraryState& state = State();
  state.ResultText.clear();
  state.ResultText.shrink_to_fit();
  if (state.ResultStream) state.ResultStream->Clear();
}

TsTable* SearchRecord(const SharedTableEntry& entry, int32_t key) {
  if (entry.Table == nullptr || !entry.Table->FindKey(key)) return nullptr;
  return entry.Table;
}

TsTable* FindRecord(const SharedTableEntry& entry, int32_t key) {
  Preset(kNoData);
  return SearchRecord(entry, key);
}

std::string FieldText(const TsTable& table, int n) { return table.Fields(n).AsString(); }

namespace {

// Appends the bytes of memo field n of the current record to ResultStream.
// A field of another kind has no bytes to copy and fails.
void CopyMemo(const TsTable& table, int n) {
  TsField& field = table.Fields(n);
  auto* memo = dynamic_cast<TsBlobField*>(&field);
  LibraryState& state = State();
  if (memo == nullptr || !state.ResultStream) {
    throw Error("Field '" + field.FieldName() + "' holds no memo");
  }
  memo->SaveToStream(*state.ResultStream);
}

}  // namespace

int32_t DeliverComposedText(std::string text, void* buffer) {
  State().ResultText = std::move(text);
  return DeliverText(buffer);
}

int32_t DeliverFieldText(const TsTable& table, int n, void* buffer) {
  Preset(kStringDataError);
  return DeliverComposedText(FieldText(table, n), buffer);
}

int32_t DeliverFieldMemo(const TsTable& table, int n, void* buffer) {
  Preset(kMemoError);
  CopyMemo(table, n);
  return DeliverStream(buffer);
}

int32_t DeliverRecordText(const Request& request, int32_t key, int n) {
  const TsTable* table = FindRecord(request.Entry, key);
  return table ? DeliverFieldText(*table, n, request.Buffer) : kNoData;
}

int32_t DeliverRecordMemo(const Request& request, int32_t key, int n) {
  const TsTable* table = FindRecord(request.Entry, key);
  return table ? DeliverFieldMemo(*table, n, request.Buffer) : kNoData;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (auto line = lines.begin(); line != lines.end(); ++line) {
    if (line != lines.begin()) joined += '\n';
    joined += *line;
  }
  return joined;
}

int32_t YearKey() { return State().DateKey / 10000; }
int32_t DayKey() { return State().DateKey % 10000; }
int32_t MonthKey() { return DayKey() / 100; }

}  // namespace kavu32
