// Types 6 and 7: the literature and film list from two tables, and the
// sport champions.
#include <algorithm>

#include "engine/table.h"
#include "interface/library_state.h"
#include "retrieval_session.h"
#include "storage/shared_storage.h"

namespace kavu32::testing {
namespace {

using namespace std::string_literals;
using AwardListsTest = LoadedRetrievalTest;

TEST_F(AwardListsTest, EntertainmentListOfSevenLines) {
  SetDate(2000, 5, 5);
  EXPECT_EQ(Data(6),
            "Nobel Prize Winner (Literature) -Gao - Prize 2000\n"
            "Best Selling Fiction - Fiction 2000\n"
            "Best Selling Non-Fiction - Facts 2000\n"
            "Best Picture - Gladiator\n"
            "Best Director - Soderbergh\n"
            "Best Actress - Roberts\n"
            "Best Actor - Crowe");
}

TEST_F(AwardListsTest, EmptyFieldsAreReplacedExceptTheNobelLine) {
  SetDate(1992, 6, 19);
  EXPECT_EQ(Data(6),
            "Nobel Prize Winner (Literature) - - \n"
            "Best Selling Fiction - Fiction 1992\n"
            "Best Selling Non-Fiction - Facts 1992\n"
            "Best Picture - Unforgiven\n"
            "Best Director - Eastwood\n"
            "Best Actress - No Data Available\n"
            "Best Actor - Pacino");
  SetDate(1969, 7, 20);
  EXPECT_EQ(Data(6),
            "Nobel Prize Winner (Literature) -Beckett - Prize 1969\n"
            "Best Selling Fiction - No Data Available\n"
            "Best Selling Non-Fiction - No Data Available\n"
            "Best Picture - Midnight Cowboy\n"
            "Best Director - Schlesinger\n"
            "Best Actress - Smith\n"
            "Best Actor - Wayne");
}

TEST_F(AwardListsTest, WithoutTheYearsMovieDataNothingIsDelivered) {
  SetDate(1950, 1, 1);  // in Literat, not in Movies
  ExpectFailure(6, -2);
  SetDate(1965, 1, 1);  // in neither
  ExpectFailure(6, -1);
}

TEST_F(AwardListsTest, WithoutAMoviesTableNoOtherTableIsRead) {
  folder_.Remove("Movies.dtf");
  EXPECT_EQ(Load(), StandardListSize) << "Movies adds no item: the list is complete";
  SetDate(1992, 6, 19);
  ExpectFailure(6, -2);
  EXPECT_EQ(ErrorText(), "Error while retriving string data");
  EXPECT_EQ(Data(10), "In The News In 1992") << "the other items still serve";
}

TEST_F(AwardListsTest, OfTwoMoviesTablesTheLaterInStoreOrderServes) {
  TableImageBuilder second("Movies");
  second.Field("YEAR", IntegerType, true)
      .Field("PICTURE", StringType)
      .Field("DIRECTOR", StringType)
      .Field("ACTRESS", StringType)
      .Field("ACTOR", StringType)
      .Record({1992, "Second Picture"s, "Second Director"s, "Second Actress"s, "Second Actor"s});
  folder_.WriteTable("Movies2.dtf", second);
  ASSERT_EQ(Load(), StandardListSize);
  SetDate(1992, 6, 19);
  const std::string list = Data(6);
  // The folder's order decides which table is the later one.
  const TSharedStorage& store = *State().SharedTables;
  int later = -1;
  for (int i = 0; i < store.SharedTableCount(); ++i) {
    if (store.GetSharedTable(i).Table->Title() == "Movies") later = i;
  }
  ASSERT_GE(later, 0);
  const bool secondIsLater = store.GetSharedTable(later).Table->RecordCount() == 1;
  EXPECT_NE(list.find(secondIsLater ? "Best Picture - Second Picture" : "Best Picture - Unforgiven"),
            std::string::npos)
      << list;
}

TEST_F(AwardListsTest, SportListOfNineLines) {
  SetDate(1992, 6, 19);
  const std::string list = Data(7);
  EXPECT_EQ(list,
            "MLB - MLB 1992\n"
            "NFL - NFL 1992\n"
            "NBA - NBA 1992\n"
            "NHL - NHL 1992\n"
            "NCAA-Basketball - NCAA 1992\n"
            "KY Derby - DERBY 1992\n"
            "U.S. Open Golf - GOLF 1992\n"
            "U.S. Open Tennis (Men) - TENNISMEN 1992\n"
            "U.S. Open Tennis (Women) - TENNISWOM 1992");
  EXPECT_EQ(GetData(7, nullptr), static_cast<int32_t>(list.size()) + 1);
  SetDate(1969, 7, 20);
  EXPECT_NE(Data(7).find("\nKY Derby - \nU.S. Open Golf - GOLF 1969\n"), std::string::npos);
  SetDate(1993, 7, 20);
  ExpectFailure(7, -1);
}

}  // namespace
}  // namespace kavu32::testing
