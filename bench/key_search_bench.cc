// Key search: FindKey plus reading one text field, against SQLite's
// prepared point query (in memory and in a file database) and against the
// floor, std::lower_bound over the same record offsets. Every contender
// answers the same random keys on the same records in one run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/table.h"
#include "keyed_table.h"
#include "temporary_folder.h"

namespace kavu32::bench {
namespace {

constexpr int32_t Sizes[] = {1'000, 100'000, 1'000'000};
// Enough keys that the lookups at a million records spread over the whole
// table; a power of two, so the next key is a mask away.
constexpr size_t Lookups = 1 << 16;

// The floor: the record found by hand (FloorSearch), the text (a length
// byte and its characters after the key) copied out into a new string.
bool FloorFind(const FloorSearch& floor, int32_t key, std::string& text) {
  const int32_t offset = floor.FindRecord(key);
  if (offset < 0) return false;
  // A new string, as AsString gives one.
  const uint8_t* stored = floor.Image() + offset + sizeof key;
  text = std::string(reinterpret_cast<const char*>(stored + 1), stored[0]);
  return true;
}

void Check(int result, sqlite3* db, const char* what) {
  if (result != SQLITE_OK && result != SQLITE_DONE) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
  }
}

// The same records in an indexed SQLite table (the key is the integer
// primary key, SQLite's own b-tree index), queried with one prepared
// statement.
class SqliteSearch {
 public:
  SqliteSearch(const std::string& path, int32_t recordCount) {
    Check(sqlite3_open(path.c_str(), &db_), db_, "open");
    Execute(
        "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
        "CREATE TABLE records(key INTEGER PRIMARY KEY, text TEXT NOT NULL)");
    Fill(recordCount);
    Check(sqlite3_prepare_v2(db_, "SELECT text FROM records WHERE key = ?1", -1, &query_, nullptr), db_,
          "prepare");
  }
  SqliteSearch(const SqliteSearch&) = delete;
  SqliteSearch& operator=(const SqliteSearch&) = delete;
  ~SqliteSearch() {
    sqlite3_finalize(query_);
    sqlite3_close(db_);
  }

  bool Find(int32_t key, std::string& text) {
    sqlite3_bind_int(query_, 1, key);
    const bool found = sqlite3_step(query_) == SQLITE_ROW;
    if (found) {
      text.assign(reinterpret_cast<const char*>(sqlite3_column_text(query_, 0)),
                  static_cast<size_t>(sqlite3_column_bytes(query_, 0)));
    }
    sqlite3_reset(query_);
    return found;
  }

 private:
  void Execute(const char* sql) { Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), db_, sql); }

  void Fill(int32_t recordCount) {
    Execute("BEGIN");
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db_, "INSERT INTO records VALUES (?1, ?2)", -1, &insert, nullptr), db_,
          "prepare insert");
    for (int32_t i = 0; i < recordCount; ++i) {
      const std::string text = TextOfRecord(i);
      sqlite3_bind_int(insert, 1, KeyOfRecord(i));
      sqlite3_bind_text(insert, 2, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      Check(sqlite3_step(insert), db_, "insert");
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Execute("COMMIT");
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt* query_ = nullptr;
};

// Everything one table size needs, built once.
struct Contenders {
  explicit Contenders(int32_t recordCount)
      : Image(dtf::WriteTableImage(KeyedTableContent(recordCount))),
        Table(Image.data(), static_cast<int32_t>(Image.size())),
        Floor(Image),
        InMemory(":memory:", recordCount),
        InFile(Folder.Path() + "records.db", recordCount),
        PresentKeys(RandomKeys(recordCount, false, Lookups)),
        AbsentKeys(RandomKeys(recordCount, true, Lookups)) {
    Table.Open();
  }

  bool FindKeyAndRead(int32_t key, std::string& text) {
    if (!Table.FindKey(key)) return false;
    text = Table.Fields(TextField).AsString();
    return true;
  }

  std::vector<uint8_t> Image;
  TsTable Table;
  FloorSearch Floor;
  TemporaryFolder Folder;
  SqliteSearch InMemory;
  SqliteSearch InFile;
  std::vector<int32_t> PresentKeys;
  std::vector<int32_t> AbsentKeys;
};

Contenders& ContendersOf(int32_t recordCount) {
  static std::map<int32_t, std::unique_ptr<Contenders>> built;
  std::unique_ptr<Contenders>& contenders = built[recordCount];
  if (!contenders) contenders = std::make_unique<Contenders>(recordCount);
  return *contenders;
}

enum class Contender { FindKey, Floor, SqliteMemory, SqliteFile };

bool Lookup(Contenders& c, Contender who, int32_t key, std::string& text) {
  switch (who) {
    case Contender::FindKey:
      return c.FindKeyAndRead(key, text);
    case Contender::Floor:
      return FloorFind(c.Floor, key, text);
    case Contender::SqliteMemory:
      return c.InMemory.Find(key, text);
    case Contender::SqliteFile:
      return c.InFile.Find(key, text);
  }
  return false;
}

// Every contender must give the floor's answers, or its timing means
// nothing.
bool AgreesWithFloor(Contenders& c, Contender who, const std::vector<int32_t>& keys) {
  for (size_t i = 0; i < 256; ++i) {
    std::string expected;
    std::string text;
    const bool found = FloorFind(c.Floor, keys[i], expected);
    if (Lookup(c, who, keys[i], text) != found || text != expected) return false;
  }
  return true;
}

template <Contender Who>
void BM_Lookup(benchmark::State& state, int32_t recordCount, bool absent) {
  Contenders& c = ContendersOf(recordCount);
  const std::vector<int32_t>& keys = absent ? c.AbsentKeys : c.PresentKeys;
  if (!AgreesWithFloor(c, Who, keys)) {
    state.SkipWithError("answers differ from the floor's");
    return;
  }
  std::string text;
  size_t next = 0;
  int64_t found = 0;
  for (auto _ : state) {
    found += Lookup(c, Who, keys[next], text);
    benchmark::DoNotOptimize(text.data());
    next = (next + 1) & (Lookups - 1);
  }
  state.counters["found"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

struct Entrant {
  const char* Name;
  void (*Run)(benchmark::State&, int32_t, bool);
};

constexpr Entrant Entrants[] = {
    {"FindKey", BM_Lookup<Contender::FindKey>},
    {"Floor", BM_Lookup<Contender::Floor>},
    {"SqliteMemory", BM_Lookup<Contender::SqliteMemory>},
    {"SqliteFile", BM_Lookup<Contender::SqliteFile>},
};

// The contenders of one size and kind of key run one after the other, so
// that their ratios see the same machine.
void RegisterAll() {
  for (const int32_t size : Sizes) {
    for (const bool absent : {false, true}) {
      for (const Entrant& entrant : Entrants) {
        const std::string title =
            std::string(entrant.Name) + (absent ? "/absent/" : "/present/") + std::to_string(size);
        benchmark::RegisterBenchmark(title.c_str(), entrant.Run, size, absent);
      }
    }
  }
}

}  // namespace
}  // namespace kavu32::bench

int main(int argc, char** argv) {
  kavu32::bench::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
