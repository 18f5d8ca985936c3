// What every GetData builder shares: the request it serves, the error-code
// presets that let a failing step name itself, the record search, the
// field reads, and the run that empties the result holders on every path.
#ifndef KAVU32_RETRIEVAL_BUILDER_CONTRACT_H
#define KAVU32_RETRIEVAL_BUILDER_CONTRACT_H

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "retrieval/get_data.h"
#include "storage/categories_storage.h"
#include "storage/shared_storage.h"
#include "support/format.h"

namespace kavu32 {

class TsTable;

// One GetData call: the state it serves, the host's buffer (null for a
// size query) and the records the category lookup copied for the data
// type.
struct Request {
  Request(RequestState& state, void* buffer) : State(state), Buffer(buffer) {}
  RequestState& State;
  void* Buffer;
  SharedTableEntry Entry;
  CategoryItem Item;

  // How the result left, when GetData may keep it: the delivery of a
  // composed text or of a memo notes which; the age sentence also notes
  // the day it was composed on.
  enum class Kept { No, Text, Stream };
  mutable Kept Delivered = Kept::No;
  mutable std::optional<platform::LocalDate> Day;
};

// A builder composes its result, delivers it and returns the delivery's
// result, or returns the negative code of the step that ended it.
using Builder = int32_t (*)(const Request& request);

// The error code in force while the next step runs.
void Preset(const Request& request, int32_t code);

// Empties ResultText and clears ResultStream (size 0, storage released).
void EmptyResultHolders(RequestState& state);

// Runs steps, stores their result in the error code and returns it. A step
// that fails with an exception leaves the preset in force as the result.
// The result holders are empty afterwards, whatever happened.
template <typename Steps>
int32_t RunBuilder(RequestState& state, Steps steps) {
  try {
    state.ErrorCode = steps();
  } catch (const std::exception&) {
    // kavu32::Error and allocation failures alike: the preset names the step.
  }
  EmptyResultHolders(state);
  return state.ErrorCode;
}

// Presets -1 and makes the record of key current in the request's table;
// null when the entry holds no table or the table no such record.
TsTable* FindRecord(const Request& request, int32_t key);

// The same search in any entry, without a preset.
TsTable* SearchRecord(const SharedTableEntry& entry, int32_t key);

// BirthDate in the long date form, formatted once per date.
const std::string& BirthLongDate(RequestState& state);

// Field n of the current record as text.
std::string FieldText(const TsTable& table, int n);

// Sets ResultText to text and delivers it.
int32_t DeliverComposedText(const Request& request, std::string text);

// Presets -2 and delivers field n of the current record as text.
int32_t DeliverFieldText(const Request& request, const TsTable& table, int n);

// Presets -4 and delivers the bytes of memo field n of the current record.
int32_t DeliverFieldMemo(const Request& request, const TsTable& table, int n);

// Field n, as text or as memo bytes, of the record of key in the request's
// table; -1 when there is none.
int32_t DeliverRecordText(const Request& request, int32_t key, int n);
int32_t DeliverRecordMemo(const Request& request, int32_t key, int n);

// A list's text, composed a line at a time: the lines joined by single
// line feeds, none after the last.
class LineList {
 public:
  void Add(std::string_view line) { AddFormatted("%s", {line}); }
  void AddFormatted(std::string_view pattern, std::initializer_list<FormatArg> args) {
    if (lines_++ > 0) text_ += '\n';
    AppendFormat(text_, pattern, args);
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  int lines_{};
};

}  // namespace kavu32

#endif
