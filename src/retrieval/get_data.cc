// GetData: finds the category of a data type and runs its builder under
// the builder contract; nothing escapes to the host.
#include <array>

#include "support/error_codes.h"
#include "interface/library_state.h"
#include "interface/operations.h"
#include "retrieval/builders.h"
#include "storage/categories_storage.h"

namespace kavu32 {

namespace {

// Copies the table entry and the item of dataType into the request; false
// when the catalogue (or its absence) holds no such category.
bool LookupCategory(int32_t dataType, SharedTableEntry& entry, CategoryItem& item) {
  const TCategoriesStorage* categories = State().Categories.get();
  if (categories == nullptr) return false;
  if (categories->FindTableEntry(dataType, entry) == TableLookup::NotCatalogued) return false;
  return categories->FindCategoryItem(dataType, item);
}

// Indexed by data type - 1.
constexpr std::array<Builder, 19> kStandardBuilders = {
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
  return index < kStandardBuilders.size() ? kStandardBuilders[index] : BuildAdditionalCategory;
}

}  // namespace

int32_t RequestData(int32_t dataType, void* buffer) {
  LibraryState& state = State();
  if (!state.DateSet) return state.ErrorCode = kDateAndNameNotSet;
  return RunBuilder([&]() -> int32_t {
    // Until a builder sets its own preset, a failure is an unknown one.
    Preset(kUnknownError);
    Request request;
    request.Buffer = buffer;
    if (!LookupCategory(dataType, request.Entry, request.Item)) return kInvalidDataParameter;
    return BuilderOf(dataType)(request);
  });
}

}  // namespace kavu32
