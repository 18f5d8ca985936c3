// GetData: finds the category of a data type and runs its builder under
// the builder contract; nothing escapes to the host.
#include "retrieval/get_data.h"

#include <array>

#include "retrieval/builders.h"
#include "storage/categories_storage.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// Copies the table entry and the item of dataType into the request; false
// when the catalogue (or its absence) holds no such category.
bool LookupCategory(const TCategoriesStorage* categories, int32_t dataType, Request& request) {
  if (categories == nullptr) return false;
  if (categories->FindTableEntry(dataType, request.Entry) == TableLookup::NotCatalogued) return false;
  return categories->FindCategoryItem(dataType, request.Item);
}

// Indexed by data type - 1.
constexpr std::array<Builder, 19> StandardBuilders = {
    BuildTimeArticle,        BuildNewsArticle,       BuildFamousArticle,
    BuildZodiacArticle,      BuildChineseYearArticle, BuildEntertainmentArticle,
    BuildSportArticle,       BuildYearTitle,         BuildIntroductionTitle,
    BuildNewsTitle,          BuildFamousTitle,       BuildZodiacTitle,
    BuildChineseYearTitle,   BuildBirthstoneArticle, BuildEntertainmentTitle,
    BuildSportTitle,         BuildZodiacGraphic,     BuildChineseYearGraphic,
    BuildBorderGraphic,
};

// Compared as unsigned, so 0 and the negative numbers are additional too.
Builder BuilderOf(int32_t dataType) {
  const uint32_t index = static_cast<uint32_t>(dataType) - 1u;
  return index < StandardBuilders.size() ? StandardBuilders[index] : BuildAdditionalCategory;
}

}  // namespace

int32_t RequestData(RequestState& state, int32_t dataType, void* buffer) {
  if (!state.DateSet) return state.ErrorCode = DateAndNameNotSet;
  Request request(state, buffer);
  return RunBuilder(state, [&]() -> int32_t {
    // Until a builder sets its own preset, a failure is an unknown one.
    Preset(request, UnknownError);
    if (!LookupCategory(state.Categories.get(), dataType, request)) return InvalidDataParameter;
    return BuilderOf(dataType)(request);
  });
}

}  // namespace kavu32
