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
  T& operator[](int index) const { return *items_.at(Checked(index)); }
  void Add(T* item) { items_.push_back(item); }
  // Destroys (when owning) and removes item index.
  void Delete(int index) {
    size_t i = Checked(index);
    T* item = items_[i];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    if (owning_) delete item;
  }
  // Destroys (when owning) and removes every item, first to last.
  void Clear() {
    std::vector<T*> items;
    items.swap(items_);
    if (!owning_) return;
    for (T* item : items) delete item;
  }

 private:
  size_t Checked(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) throw Error(kListIndexOutOfBounds);
    return static_cast<size_t>(index);
  }

  std::vector<T*> items_;
  bool owning_;
};

// Texts in insertion order, each with an attached object it owns.
template <typename T>
class TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const { return items_.at(Checked(index)).first; }
  const T& Objects(int index) const { return *items_.at(Checked(index)).second; }
  void AddObject(std::string text, std::unique_ptr<T> object) {
    items_.emplace_back(std::move(text), std::move(object));
  }
  void Clear() { items_.clear(); }

 private:
  size_t Checked(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) throw Error(kListIndexOutOfBounds);
    return static_cast<size_t>(index);
  }

  std::vector<std::pair<std::string, std::unique_ptr<T>>> items_;
};

}  // namespace kavu32

#endif
