// The GetData builders, one per standard data type, and the builder for
// additional categories.
#ifndef KAVU32_RETRIEVAL_BUILDERS_H
#define KAVU32_RETRIEVAL_BUILDERS_H

#include <cstdint>

#include "retrieval/builder_contract.h"

namespace kavu32 {

// Birthday and year articles (types 1 to 5).
int32_t BuildTimeArticle(const Request& request);
int32_t BuildNewsArticle(const Request& request);
int32_t BuildFamousArticle(const Request& request);
int32_t BuildZodiacArticle(const Request& request);
int32_t BuildChineseYearArticle(const Request& request);

// Award and champion lists (types 6 and 7).
int32_t BuildEntertainmentArticle(const Request& request);
int32_t BuildSportArticle(const Request& request);

// Titles and headings (types 8 to 16).
int32_t BuildYearTitle(const Request& request);
int32_t BuildIntroductionTitle(const Request& request);
int32_t BuildNewsTitle(const Request& request);
int32_t BuildFamousTitle(const Request& request);
int32_t BuildZodiacTitle(const Request& request);
int32_t BuildChineseYearTitle(const Request& request);
int32_t BuildBirthstoneArticle(const Request& request);
int32_t BuildEntertainmentTitle(const Request& request);
int32_t BuildSportTitle(const Request& request);

// Graphic file names (types 17 to 19).
int32_t BuildZodiacGraphic(const Request& request);
int32_t BuildChineseYearGraphic(const Request& request);
int32_t BuildBorderGraphic(const Request& request);

// Every other data type: one field of an additional table.
int32_t BuildAdditionalCategory(const Request& request);

}  // namespace kavu32

#endif
