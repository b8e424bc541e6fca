#include "lexicon/lexicon/av_meaning.h"

#include "lexicon/attributes/att_vec.h"
#include "shell/irslist.h"

namespace velmo {

AVMeaning::AVMeaning(const AttInterpreterList* type) : vec_(new AttVec(type)) { vec_->add_ref(); }

AVMeaning::AVMeaning(const AttVec& body) : vec_(new AttVec(body)) { vec_->add_ref(); }

AVMeaning::~AVMeaning() { AttVec::drop_ref(vec_); }

void AVMeaning::print_body(std::ostream& out) const { vec_->print(out); }

std::unique_ptr<Meaning> AVMeaning::clone() const {
  return std::unique_ptr<Meaning>(new AVMeaning(*vec_));
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
