#include "retrieval/builder_contract.h"

#include <utility>

#include "engine/field.h"
#include "engine/table.h"
#include "retrieval/delivery.h"
#include "support/date_format.h"
#include "support/error.h"
#include "support/error_codes.h"

namespace kavu32 {

void Preset(const Request& request, int32_t code) { request.State.ErrorCode = code; }

void EmptyResultHolders(RequestState& state) {
  state.ResultText.clear();
  state.ResultText.shrink_to_fit();
  if (state.ResultStream) state.ResultStream->Clear();
}

TsTable* SearchRecord(const SharedTableEntry& entry, int32_t key) {
  if (entry.Table == nullptr || !entry.Table->FindKey(key)) return nullptr;
  return entry.Table;
}

TsTable* FindRecord(const Request& request, int32_t key) {
  Preset(request, NoData);
  return SearchRecord(request.Entry, key);
}

const std::string& BirthLongDate(RequestState& state) {
  if (!state.BirthLongDateText) state.BirthLongDateText = FormatDateTime("dddddd", state.BirthDate);
  return *state.BirthLongDateText;
}

std::string FieldText(const TsTable& table, int n) { return table.Fields(n).AsString(); }

namespace {

// Appends the bytes of memo field n of the current record to ResultStream.
// A field of another kind has no bytes to copy and fails.
void CopyMemo(RequestState& state, const TsTable& table, int n) {
  TsField& field = table.Fields(n);
  auto* memo = dynamic_cast<TsBlobField*>(&field);
  if (memo == nullptr || !state.ResultStream) {
    throw Error("Field '" + field.FieldName() + "' holds no memo");
  }
  memo->SaveToStream(*state.ResultStream);
}

}  // namespace

int32_t DeliverComposedText(const Request& request, std::string text) {
  request.State.ResultText = std::move(text);
  request.Delivered = Request::Kept::Text;
  return DeliverText(request.State, request.Buffer);
}

int32_t DeliverFieldText(const Request& request, const TsTable& table, int n) {
  Preset(request, StringDataError);
  return DeliverComposedText(request, FieldText(table, n));
}

int32_t DeliverFieldMemo(const Request& request, const TsTable& table, int n) {
  Preset(request, MemoError);
  CopyMemo(request.State, table, n);
  request.Delivered = Request::Kept::Stream;
  return DeliverStream(request.State, request.Buffer);
}

int32_t DeliverRecordText(const Request& request, int32_t key, int n) {
  const TsTable* table = FindRecord(request, key);
  return table ? DeliverFieldText(request, *table, n) : NoData;
}

int32_t DeliverRecordMemo(const Request& request, int32_t key, int n) {
  const TsTable* table = FindRecord(request, key);
  return table ? DeliverFieldMemo(request, *table, n) : NoData;
}

}  // namespace kavu32
