// GetData: finds the category of a data type and runs its builder under
// the builder contract; nothing escapes to the host.
#include "retrieval/get_data.h"

#include <array>
#include <new>

#include "retrieval/builders.h"
#include "retrieval/delivery.h"
#include "storage/categories_storage.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// Indexed by data type - 1.
constexpr std::array<Builder, 19> StandardBuilders = {
    BuildTimeArticle,      BuildNewsArticle,        BuildFamousArticle,
    BuildZodiacArticle,    BuildChineseYearArticle, BuildEntertainmentArticle,
    BuildSportArticle,     BuildYearTitle,          BuildIntroductionTitle,
    BuildNewsTitle,        BuildFamousTitle,        BuildZodiacTitle,
    BuildChineseYearTitle, BuildBirthstoneArticle,  BuildEntertainmentTitle,
    BuildSportTitle,       BuildZodiacGraphic,      BuildChineseYearGraphic,
    BuildBorderGraphic,
};

// Compared as unsigned, so 0 and the negative numbers are additional too.
Builder BuilderOf(int32_t dataType) {
  const uint32_t index = static_cast<uint32_t>(dataType) - 1u;
  return index < StandardBuilders.size() ? StandardBuilders[index] : BuildAdditionalCategory;
}

// Copies the table entry of dataType into the request, and its item when
// the builder reads it (only the additional categories' builder does; a
// type with an entry always has an item); false when the catalogue (or its
// absence) holds no such category.
bool LookupCategory(const TCategoriesStorage* categories, int32_t dataType, Builder builder,
                    Request& request) {
  if (categories == nullptr) return false;
  if (categories->FindTableEntry(dataType, request.Entry) == TableLookup::NotCatalogued) return false;
  return builder != BuildAdditionalCategory || categories->FindCategoryItem(dataType, request.Item);
}

bool Serves(const KeptAnswer& kept, int32_t dataType) {
  return kept.Held && kept.DataType == dataType && (!kept.Day || *kept.Day == platform::Today());
}

// Keeps the answer the request delivered, taking it from its result
// holder; keeps nothing when it may not be kept or cannot be copied.
void KeepAnswer(RequestState& state, const Request& request, int32_t dataType) noexcept {
  KeptAnswer& kept = state.LastAnswer;
  try {
    if (request.Delivered == Request::Kept::Text) {
      kept.Bytes.swap(state.ResultText);
    } else if (request.Delivered == Request::Kept::Stream && state.ResultStream) {
      const TMemoryStream& stream = *state.ResultStream;
      kept.Bytes.assign(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    } else {
      return;
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  kept.Held = true;
  kept.DataType = dataType;
  kept.Text = request.Delivered == Request::Kept::Text;
  kept.Day = request.Day;
}

}  // namespace

int32_t RequestData(RequestState& state, int32_t dataType, void* buffer) {
  if (!state.DateSet) return state.ErrorCode = DateAndNameNotSet;
  const KeptAnswer& kept = state.LastAnswer;
  if (Serves(kept, dataType)) {
    return state.ErrorCode = kept.Text ? DeliverText(kept.Bytes, buffer) : DeliverBytes(kept.Bytes, buffer);
  }
  // Any other request, failed or not, replaces the kept answer.
  state.LastAnswer.Held = false;
  Request request(state, buffer);
  return RunBuilder(state, [&]() -> int32_t {
    // Until a builder sets its own preset, a failure is an unknown one.
    Preset(request, UnknownError);
    const Builder builder = BuilderOf(dataType);
    if (!LookupCategory(state.Categories.get(), dataType, builder, request)) return InvalidDataParameter;
    const int32_t result = builder(request);
    if (result > 0) KeepAnswer(state, request, dataType);
    return result;
  });
}

void ForgetComposed(RequestState& state) {
  state.LastAnswer = KeptAnswer();
  state.BirthLongDateText.reset();
}

}  // namespace kavu32
