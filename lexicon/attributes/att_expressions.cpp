#include "lexicon/attributes/att_expressions.h"

#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/complex_atts.h"
#include "shell/lexp/lexp.h"

namespace velmo {

namespace {

enum class AvListOp { kDelete, kMove, kInsert, kRotateInsert };

const char* op_name(AvListOp op) {
  switch (op) {
    case AvListOp::kDelete:
      return "delete-from-avlist";
    case AvListOp::kMove:
      return "move-att";
    case AvListOp::kInsert:
      return "insert-into-avlist";
    case AvListOp::kRotateInsert:
      return "rotate-and-insert-into-avlist";
  }
  return "";
}

const char* op_doc(AvListOp op) {
  switch (op) {
    case AvListOp::kDelete:
      return "(delete-from-avlist ATT [:interpreter TYPE]) remove the first element of the list in ATT.";
    case AvListOp::kMove:
      return "(move-att ATT1 ATT2 [:interpreter TYPE]) move the first element of the list in ATT1 to the end of "
             "the list in ATT2.";
    case AvListOp::kInsert:
      return "(insert-into-avlist ATT LExp [:interpreter TYPE]) insert a copy of the vector LExp yields at the "
             "front of the list in ATT.";
    case AvListOp::kRotateInsert:
      return "(rotate-and-insert-into-avlist ATT LExp [:interpreter TYPE]) replace the first element of the list "
             "in ATT by a copy of the vector LExp yields and append the former first element.";
  }
  return "";
}

// One list-valued attribute, resolved when the expression is built.
struct ListSlot {
  int index = -1;
  const ListAtt* att = nullptr;

  bool resolve(const AttInterpreterList* type, const char* name) {
    if (!type || !name) return false;
    index = AttInterpreterList::att_index(type->name(), name);
    if (index < 0) return false;
    att = dynamic_cast<const ListAtt*>(&type->attribute(index));
    if (!att) report_error("The attribute " + std::string(name) + " does not hold a list of vectors");
    return att != nullptr;
  }
  // The vector's list, private to it, created when the attribute has none.
  AttList* list_of(AttVec& vec) const {
    if (!vec.defined(index) || vec.get(index) == 0) vec.set(index, to_word(new AttList));
    return att->private_list(vec);
  }
};

class AvListExp : public LExp {
 public:
  explicit AvListExp(AvListOp op) : op_(op) { set_types(kAttVecType, kAttVecType); }

  const char* name() const override { return op_name(op_); }
  const char* doc() const override { return op_doc(op_); }
  LExpPtr clone() const override { return std::make_unique<AvListExp>(op_); }

  void init(IRSlist& args) override {
    const char* type_name = args.take_value(":interpreter", true);
    type_ = type_name ? AttInterpreterList::find(type_name, true) : current_att_type();
    const char* first = args.take_atom();
    ready_ = first_.resolve(type_, first);
    if (op_ == AvListOp::kMove) ready_ = second_.resolve(type_, args.take_atom()) && ready_;
    if (op_ == AvListOp::kInsert || op_ == AvListOp::kRotateInsert) source_ = build_first(args);
  }

  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    auto* vec = from_word<AttVec>(input);
    if (!ready_ || !vec || vec->type() != type_ || !vec->defined(first_.index)) return input;
    switch (op_) {
      case AvListOp::kDelete:
        delete_first(*vec);
        break;
      case AvListOp::kMove:
        move_first(*vec);
        break;
      case AvListOp::kInsert:
      case AvListOp::kRotateInsert:
        insert(*vec, input, type);
        break;
    }
    return input;
  }

 private:
  void delete_first(AttVec& vec) const {
    AttList* list = first_.list_of(vec);
    if (!list->empty()) AttVec::drop_ref(list->take(0));
  }

  void move_first(AttVec& vec) const {
    AttList* from = first_.list_of(vec);
    if (from->empty()) return;
    AttVec* moved = from->take(0);
    if (from->empty()) vec.remove(first_.index);
    second_.list_of(vec)->append(moved);
    AttVec::drop_ref(moved);  // the reference taken out of the first list
  }

  void insert(AttVec& vec, Word input, TypeId type) const {
    if (!source_ || source_->output_type() != type_id(kAttVecType)) return;
    const auto* value = from_word<AttVec>(source_->eval(input, type));
    if (!value || value->type() != first_.att->nested_type()) return;
    AttList* list = first_.list_of(vec);
    if (op_ == AvListOp::kInsert) {
      list->prepend(new AttVec(*value));
      return;
    }
    if (list->empty()) return;
    AttVec* former = list->at(0);
    former->add_ref();
    list->replace(0, new AttVec(*value));
    list->append(former);
    AttVec::drop_ref(former);
  }

  AvListOp op_;
  const AttInterpreterList* type_ = nullptr;
  ListSlot first_;
  ListSlot second_;
  LExpPtr source_;
  bool ready_ = false;
};

}  // namespace

void register_attribute_expressions() {
  type_id(kAttVecType);
  type_id(kAttValType);
  type_id(kLBitSetType);
  for (AvListOp op : {AvListOp::kDelete, AvListOp::kMove, AvListOp::kInsert, AvListOp::kRotateInsert})
    register_lexp(std::make_unique<AvListExp>(op));
}

}  // namespace velmo
