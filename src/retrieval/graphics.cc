// Types 17 to 19: the names of the zodiac, Chinese-year and border
// metafiles, delivered when such a file exists in the current folder.
#include <array>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "retrieval/builders.h"
#include "retrieval/delivery.h"
#include "retrieval/signs.h"
#include "support/error_codes.h"

namespace kavu32 {

namespace {

// The border first, then the zodiac signs 0 to 11.
constexpr std::array<std::string_view, 13> GraphicFileNames = {
    "Border.wmf",  "Zodiac0.wmf", "Zodiac1.wmf", "Zodiac2.wmf", "Zodiac3.wmf",  "Zodiac4.wmf",  "Zodiac5.wmf",
    "Zodiac6.wmf", "Zodiac7.wmf", "Zodiac8.wmf", "Zodiac9.wmf", "Zodiac10.wmf", "Zodiac11.wmf",
};

// Names the file in LastGraphicName, found or not, and delivers the name
// when a file (not a folder) of that name exists; -3 otherwise. The name
// is delivered from LastGraphicName, which holds the same text ResultText
// would.
int32_t DeliverGraphicName(const Request& request, std::string_view name) {
  Preset(request, MetafileError);
  RequestState& state = request.State;
  state.LastGraphicName.assign(name);
  if (!platform::FileExists(state.LastGraphicName)) return MetafileError;
  return DeliverText(state.LastGraphicName, request.Buffer);
}

}  // namespace

int32_t BuildZodiacGraphic(const Request& request) {
  return DeliverGraphicName(request,
                            GraphicFileNames[static_cast<size_t>(ZodiacSign(request.State.DateKey)) + 1]);
}

int32_t BuildChineseYearGraphic(const Request& request) {
  return DeliverGraphicName(request, "Chines" + std::to_string(ChineseSign(request.State.DateKey)) + ".wmf");
}

int32_t BuildBorderGraphic(const Request& request) {
  return DeliverGraphicName(request, GraphicFileNames[0]);
}

}  // namespace kavu32
