#pragma once
// Expression functions on attribute value vectors: tests of defined
// attributes, unification against constants, values as texts, and the
// constants attvec, att-set and att-index.
namespace velmo {

class AttInterpreterList;
class AttTest;
class AttVec;
class LExp;

void register_att_functions();

// Whether `exp` is a test that only reads its vector and compares it with a
// constant: defined, defined-one-of, unifiable, strict-unifiable or contain
// with a vector given as text or as an (attvec ...) constant.
bool is_att_read_test(const LExp& exp);

// The test such an expression makes, null for any other expression;
// `other` is set to the constant vector it compares with (null for
// defined and defined-one-of). Both live as long as the expression.
const AttTest* att_read_test(const LExp& exp, const AttVec*& other);

// For (unify [TYPE] VECTOR) with the vector given as text: that vector,
// which lives as long as the expression; null for any other expression.
const AttVec* att_unify_constant(const LExp& exp);

// For (att-str-val [TYPE] ATT) whose attribute holds interned texts (its
// value is the text itself, a null value the empty text): the vector type
// and the attribute's index, for readers that take the text from the
// vector directly; false for any other expression.
bool att_text_reader(const LExp& exp, const AttInterpreterList*& type, int& index);

}  // namespace velmo
