// TList and TStringList: references by index in insertion order; a bad
// index fails with "List index out of bounds".
#ifndef KAVU32_SUPPORT_OBJECT_LIST_H
#define KAVU32_SUPPORT_OBJECT_LIST_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/error.h"

namespace kavu32 {

// index as a position in a list of count items; fails with "List index out
// of bounds" outside 0..count-1.
inline size_t CheckedListIndex(int index, size_t count) {
  if (index < 0 || static_cast<size_t>(index) >= count) throw Error(kListIndexOutOfBounds);
  return static_cast<size_t>(index);
}

// Owns its objects when created with Owning, refers to them otherwise.
template <typename T>
class TList {
 public:
  enum Ownership { Owning, Referring };
  explicit TList(Ownership ownership = Owning) : owning_(ownership == Owning) {}
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() { Clear(); }

  int Count() const { return static_cast<int>(items_.size()); }
  T& operator[](int index) const { return *items_[CheckedListIndex(index, items_.size())]; }
  // Takes item over (an owning list); a failure to grow leaves it owned by
  // the caller's pointer.
  void Add(std::unique_ptr<T> item) {
    items_.push_back(item.get());
    item.release();
  }
  // Refers to item, which stays its owner's (a referring list).
  void Add(T* item) { items_.push_back(item); }
  // Destroys (when owning) and removes every item, first to last.
  void Clear() {
    std::vector<T*> items;
    items.swap(items_);
    if (!owning_) return;
    for (T* item : items) delete item;
  }

 private:
  std::vector<T*> items_;
  bool owning_;
};

// Texts in insertion order, each with an attached object it owns.
template <typename T>
class TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const { return items_[CheckedListIndex(index, items_.size())].first; }
  const T& Objects(int index) const { return *items_[CheckedListIndex(index, items_.size())].second; }
  void AddObject(std::string text, std::unique_ptr<T> object) {
    items_.emplace_back(std::move(text), std::move(object));
  }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::pair<std::string, std::unique_ptr<T>>> items_;
};

}  // namespace kavu32

#endif
