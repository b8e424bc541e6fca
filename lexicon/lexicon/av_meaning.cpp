#include "lexicon/lexicon/av_meaning.h"

#include <vector>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "shell/reader/irslist.h"

namespace velmo {

AVMeaning::AVMeaning(const AttInterpreterList* type) : vec_(new AttVec(type)) { vec_->add_ref(); }

AVMeaning::AVMeaning(const AttVec& body) : vec_(new AttVec(body)) { vec_->add_ref(); }

namespace {

// Vectors whose type is already destroyed cannot be freed; they stay
// reachable here until the process ends. Never destroyed itself.
std::vector<AttVec*>& orphaned_vectors() {
  static auto* orphans = new std::vector<AttVec*>;
  return *orphans;
}

}  // namespace

// A lexicon made before the attribute type of its meanings outlives that type
// when the name space is torn down, newest object first; only the end of the
// process can release such a vector then.
AVMeaning::~AVMeaning() { release_vector(); }

void AVMeaning::release_vector() {
  if (AttInterpreterList::is_live(vec_->type()))
    AttVec::drop_ref(vec_);
  else
    orphaned_vectors().push_back(vec_);
}

bool AVMeaning::usable() const { return AttInterpreterList::is_live(vec_->type()); }

void AVMeaning::retype(const AttInterpreterList* type) {
  release_vector();
  vec_ = new AttVec(type);
  vec_->add_ref();
}

void AVMeaning::print_body(std::ostream& out) const { vec_->print(out); }

std::unique_ptr<Meaning> AVMeaning::clone() const { return std::unique_ptr<Meaning>(new AVMeaning(*vec_)); }

bool AVMeaning::recyclable() const { return vec_->refs() == 1 && usable(); }

// The assignment keeps the block when the layouts agree and otherwise lays
// it out anew, as the copy clone() makes would be laid out.
bool AVMeaning::copy_in_place(const AVMeaning& other) {
  if (vec_->type() != other.vec_->type() || !recyclable()) return false;
  *vec_ = *other.vec_;
  return true;
}

int AVMeaning::compare(const Meaning& other) const {
  const auto* that = dynamic_cast<const AVMeaning*>(&other);
  if (!that) return -2;
  return vec_->compare(*that->vec_);
}

bool AVMeaning::matches(const Meaning& other) const {
  const auto* that = dynamic_cast<const AVMeaning*>(&other);
  return that && vec_->unifiable(*that->vec_);
}

void AVMeaning::read_body(IRSlist& elements) {
  IRSlist* first = elements.element_at(0);
  if (first && !first->is_nil()) vec_->read(*first);
}

}  // namespace velmo
