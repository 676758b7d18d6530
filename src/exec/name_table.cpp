#include "exec/name_table.h"

#include <cstring>

namespace exec {
namespace {

bool Same(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

// FNV-1a over the units: names are short, and this is a few steps a unit.
uint32_t HashOf(std::u16string_view key) {
  uint32_t hash = 2166136261u;
  for (char16_t unit : key) hash = (hash ^ unit) * 16777619u;
  return hash;
}

}  // namespace

NameTable::NameTable(size_t names) {
  size_t capacity = 16;
  while (capacity < names * 2) capacity *= 2;  // at most half full
  slots_.assign(capacity, kEmpty);
  mask_ = capacity - 1;
  entries_.reserve(names);
}

size_t NameTable::SlotOf(std::u16string_view key, uint32_t hash) const {
  size_t slot = hash & mask_;
  for (;;) {
    const uint32_t index = slots_[slot];
    if (index == kEmpty || (entries_[index].hash == hash && Same(entries_[index].key, key))) return slot;
    slot = (slot + 1) & mask_;
  }
}

void NameTable::Grow() {
  slots_.assign(slots_.size() * 2, kEmpty);
  mask_ = slots_.size() - 1;
  for (uint32_t index = 0; index < entries_.size(); ++index) {
    slots_[SlotOf(entries_[index].key, entries_[index].hash)] = index;
  }
}

NameTable::Entry& NameTable::Add(std::u16string_view key) {
  if (entries_.size() + 1 > slots_.size() / 2) Grow();
  const uint32_t hash = HashOf(key);
  uint32_t& index = slots_[SlotOf(key, hash)];
  if (index == kEmpty) {
    index = static_cast<uint32_t>(entries_.size());
    entries_.push_back({key, hash});
  }
  return entries_[index];
}

NameTable::Entry* NameTable::Find(std::u16string_view key) {
  const uint32_t index = IndexOf(key);
  return index == kNoRow ? nullptr : &entries_[index];
}

uint32_t NameTable::IndexOf(std::u16string_view key) const {
  const uint32_t index = slots_[SlotOf(key, HashOf(key))];
  return index == kEmpty ? kNoRow : index;
}

}  // namespace exec
