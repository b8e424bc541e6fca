#include "corpus/pl_hash.h"

#include <iostream>
#include <vector>

#include "corpus/hash_header.h"
#include "shell/lexp/lexp.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

// The database-wide data is kept in the file under the empty key, which no
// entry can have.
constexpr std::string_view kTotalKey{};

std::string entry_bytes(std::string_view key, std::string_view payload) {
  std::string bytes(key);
  bytes.push_back('\0');
  bytes.append(payload);
  return bytes;
}

std::string_view payload_of(std::string_view bytes) {
  const std::size_t end_of_key = bytes.find('\0');
  return end_of_key == std::string_view::npos ? std::string_view() : bytes.substr(end_of_key + 1);
}

}  // namespace

PLHash::PLHash(std::size_t buckets) : table_(buckets), absent_(buckets) {}

PLHash::~PLHash() {
  // Entries cannot be packed any more (the kind is gone); the file is closed
  // in a consistent state and keeps what was last synced.
  if (file_) file_->close();
}

bool PLHash::close_at_exit() {
  // Closed and dropped: a later destruction finds nothing linked to sync.
  if (file_) file_->close();
  file_.reset();
  return true;
}

void PLHash::report_undefined(std::string_view operation) {
  diag() << "PLHash::" << operation << " must be defined by a subclass.\n" << std::flush;
}

PLHash::EntryPtr PLHash::new_entry() {
  report_undefined("new_entry");
  return nullptr;
}

void PLHash::print_entry(std::ostream&, std::string_view, const Entry&) { report_undefined("print_entry"); }

bool PLHash::pack_entry(const Entry&, StrBufs&) {
  report_undefined("pack_entry");
  return false;
}

PLHash::EntryPtr PLHash::unpack_entry(std::string_view, std::string_view) {
  report_undefined("unpack_entry");
  return nullptr;
}

bool PLHash::combine_entries(Entry&, const Entry&) {
  report_undefined("combine_entries");
  return false;
}

bool PLHash::populate(std::istream&) {
  report_undefined("populate");
  return false;
}

// ---- Entries.

PLHash::Slot* PLHash::load(std::string_view key) {
  if (key.empty()) return nullptr;
  if (Slot* slot = table_.find(key)) return slot;
  if (!file_) return nullptr;
  // Keys the file lacks are asked again and again (words without
  // statistics): they are remembered until the next change.
  if (absent_changes_ != changes_) {
    absent_.clear();
    absent_changes_ = changes_;
  }
  if (absent_.find(key)) return nullptr;
  // The entry is unpacked where it lies (mostly in the file's mapping).
  std::string scratch;
  const std::optional<std::string_view> bytes = file_->find_view(key, scratch);
  if (!bytes) {
    absent_.insert(key, true);
    return nullptr;
  }
  EntryPtr entry = unpack_entry(key, payload_of(*bytes));
  if (!entry) return nullptr;
  return &table_.insert(QHash::key_of(*bytes), Slot{std::move(entry), false, true}).first->value;
}

const PLHash::Entry* PLHash::find(std::string_view key) {
  const Slot* slot = load(key);
  return slot ? slot->entry.get() : nullptr;
}

PLHash::Entry* PLHash::modify(std::string_view key) {
  if (key.empty()) return nullptr;
  Slot* slot = load(key);
  if (!slot) {
    EntryPtr entry = new_entry();
    if (!entry) return nullptr;
    slot = &table_.insert(key, Slot{std::move(entry), false, false}).first->value;
  }
  slot->dirty = true;
  ++changes_;
  return slot->entry.get();
}

bool PLHash::for_each_entry(const EntryVisitor& visit) {
  bool complete = true;
  if (file_) {
    complete = file_->for_each([&](std::string_view bytes) {
      const std::string_view key = QHash::key_of(bytes);
      if (key.empty()) return true;
      if (const Slot* slot = table_.find(key)) {
        visit(key, *slot->entry);
      } else if (const EntryPtr entry = unpack_entry(key, payload_of(bytes))) {
        visit(key, *entry);
      }
      return true;
    });
  }
  table_.for_each([&](const auto& item) {
    if (!file_ || !item.value.on_disk) visit(item.name, *item.value.entry);
  });
  return complete;
}

bool PLHash::print_key(std::ostream& out, std::string_view key) {
  const Entry* entry = find(key);
  if (entry) print_entry(out, key, *entry);
  return entry != nullptr;
}

bool PLHash::dump(std::ostream& out, LExp* filter) {
  const TypeId text = ShellTypes::get().text;
  const bool complete = for_each_entry([&](std::string_view key, const Entry& entry) {
    const std::string key_text(key);
    if (filter && filter->eval(to_word(key_text.c_str()), text) == 0) return;
    print_entry(out, key, entry);
  });
  out << std::flush;
  return complete;
}

// ---- Whole databases.

bool PLHash::same_kind(const PLHash& other, std::string_view operation) const {
  if (std::string_view(kind()) == other.kind()) return true;
  diag() << "Can't " << operation << " a " << other.kind() << " into a " << kind() << '\n' << std::flush;
  return false;
}

PLHash::EntryPtr PLHash::clone(std::string_view key, const Entry& entry) {
  StrBufs bytes;
  if (!pack_entry(entry, bytes)) return nullptr;
  return unpack_entry(key, bytes.view());
}

bool PLHash::copy_from(PLHash& source) {
  if (&source == this) return true;
  if (!same_kind(source, "copy") || !clear()) return false;
  ++changes_;
  const bool complete = source.for_each_entry([&](std::string_view key, const Entry& entry) {
    if (EntryPtr copy = clone(key, entry)) table_.insert(key, Slot{std::move(copy), true, false});
  });
  total_count_ = source.total_count();
  total_changed_ = true;
  return complete;
}

bool PLHash::merge_from(PLHash& source) {
  if (&source == this) {
    diag() << "Can't merge a database into itself\n" << std::flush;
    return false;
  }
  if (!same_kind(source, "merge")) return false;
  ++changes_;
  bool combined = true;
  const bool complete = source.for_each_entry([&](std::string_view key, const Entry& entry) {
    if (Slot* slot = load(key)) {
      combined = combine_entries(*slot->entry, entry) && combined;
      slot->dirty = true;
    } else if (EntryPtr copy = clone(key, entry)) {
      table_.insert(key, Slot{std::move(copy), true, false});
    }
  });
  add_to_total(source.total_count());
  return complete && combined;
}

bool PLHash::reconstruct(std::istream& in) { return clear() && populate(in); }

bool PLHash::clear() {
  if (file_ && !file_->clear()) return false;
  forget_memory();
  return true;
}

void PLHash::forget_memory() {
  ++changes_;
  table_.clear();
  total_count_ = 0;
  total_changed_ = true;
}

// ---- The linked file.

PLHash::LinkResult PLHash::link_file(const std::string& header_path, std::istream& header, QFile::Mode mode) {
  const std::optional<HashHeader> layout = read_hash_header(header, header_path);
  if (!layout) return LinkResult::kFailed;
  auto file = std::make_unique<QHash>();
  switch (file->open(layout->file, layout->buckets, layout->block_size, key_compare_name(), mode)) {
    case QHash::OpenResult::kOk:
      break;
    case QHash::OpenResult::kUnknownFunction:
      return LinkResult::kUnknownFunction;
    case QHash::OpenResult::kFailed:
      return LinkResult::kFailed;
  }
  file_ = std::move(file);
  ++changes_;
  return adopt_file_entries() ? LinkResult::kLinked : LinkResult::kFailed;
}

// Entries made before the link are added to what the file holds for them.
bool PLHash::adopt_file_entries() {
  const std::uint64_t in_memory = total_count_;
  load_total();
  total_count_ += in_memory;
  total_changed_ = in_memory != 0;
  bool ok = true;
  table_.for_each([&](auto& item) {
    const std::optional<std::string> bytes = file_->find(item.name);
    if (!bytes) return;
    if (const EntryPtr stored = unpack_entry(item.name, payload_of(*bytes)))
      ok = combine_entries(*item.value.entry, *stored) && ok;
    item.value.on_disk = true;
    item.value.dirty = true;
  });
  return ok;
}

void PLHash::load_total() {
  total_count_ = 0;
  const std::optional<std::string> bytes = file_->find(kTotalKey);
  if (!bytes) return;
  const std::string_view payload = payload_of(*bytes);
  if (payload.size() != 8) return;
  const auto* p = reinterpret_cast<const unsigned char*>(payload.data());
  total_count_ = (std::uint64_t{get_u32(p)} << 32) | get_u32(p + 4);
}

bool PLHash::store_total() {
  StrBufs payload(8);
  payload.put_u32(static_cast<std::uint32_t>(total_count_ >> 32));
  payload.put_u32(static_cast<std::uint32_t>(total_count_));
  return file_->store(entry_bytes(kTotalKey, payload.view()));
}

bool PLHash::store(std::string_view key, const Entry& entry) {
  StrBufs payload;
  return pack_entry(entry, payload) && file_->store(entry_bytes(key, payload.view()));
}

bool PLHash::sync() {
  if (!file_) return false;
  if (!file_->file().ensure_writable()) return false;
  bool ok = true;
  table_.for_each([&](auto& item) {
    if (!item.value.dirty) return;
    if (!store(item.name, *item.value.entry)) {
      ok = false;
      return;
    }
    item.value.dirty = false;
    item.value.on_disk = true;
  });
  if (total_changed_) {
    if (!store_total()) return false;
    total_changed_ = false;
  }
  return file_->sync() && ok;
}

bool PLHash::unlink_file() {
  if (!file_) return false;
  const bool synced = file_->file().read_only() || sync();
  file_->close();
  file_.reset();
  forget_memory();
  total_changed_ = false;
  return synced;
}

}  // namespace velmo
