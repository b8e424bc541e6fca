#include "lexicon/lexicon/meaning_text_cache.h"

#include <optional>
#include <sstream>
#include <typeinfo>

#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/freq_meaning.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

// The kinds whose meaning is a function of the form's text.
bool depends_on_text_only(const Meaning& meaning) {
  return typeid(meaning) == typeid(AVMeaning) || typeid(meaning) == typeid(FreqMN);
}

}  // namespace

std::unique_ptr<Meaning> MeaningTextCache::copy_of(std::string_view text) const {
  const auto found = kept_.find(text);
  if (found == kept_.end()) return nullptr;
  const Kept& kept = found->second;
  const std::uint64_t changes = ObjFactory::instance().prototype_changes();
  if (kept.checked_at != changes) {
    if (find_meaning_prototype(kept.type) != kept.prototype) return nullptr;
    kept.checked_at = changes;
  }
  if (!kept.prototype->usable()) return nullptr;
  return kept.meaning->clone();
}

std::unique_ptr<Meaning> MeaningTextCache::make(std::string_view text, IRSlist& form) {
  if (std::unique_ptr<Meaning> copy = copy_of(text)) return copy;
  return read(text, form);
}

std::unique_ptr<Meaning> MeaningTextCache::read(std::string_view text, IRSlist& form) {
  const IRSlist* head = form.is_list() ? form.children().first() : nullptr;
  const std::string type = head && head->is_atom() && head->atom() ? head->atom() : "";
  const std::uint64_t changes = ObjFactory::instance().prototype_changes();
  const Meaning* prototype = type.empty() ? nullptr : find_meaning_prototype(type);
  // Messages are passed on after the reading; a reading that gave one is
  // not kept, so that every reading of the text gives it again.
  // One stream serves every reading (making a stream costs more than most
  // readings); a reading inside another gets its own, so as not to wipe
  // what the outer one caught.
  const bool nested = capturing_;
  std::optional<std::ostringstream> own;
  if (nested) own.emplace();
  std::ostringstream& messages = nested ? *own : messages_;
  messages.str(std::string());
  std::unique_ptr<Meaning> meaning;
  {
    capturing_ = true;
    ScopedDiagnostics capture(messages);
    meaning = make_meaning(form);
    capturing_ = nested;
  }
  const std::string said = messages.str();
  if (!said.empty()) diag() << said << std::flush;
  if (!meaning || !said.empty() || !prototype || !depends_on_text_only(*meaning) || kept_.size() >= kMaxTexts)
    return meaning;
  Kept kept{meaning->clone(), type, prototype, changes};
  kept_.insert_or_assign(std::string(text), std::move(kept));
  return meaning;
}

}  // namespace velmo
