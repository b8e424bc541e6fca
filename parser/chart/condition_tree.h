#pragma once
// What the condition plans (ConditionPlan, MergedConditionPlan) share: a
// condition read as a tree of and, or and not over parts, kept in prefix
// order (each node followed by its operands, `end` the index past them),
// and compiled into steps that each name the step after a true and after a
// false answer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell/lexp/lexp.h"

namespace velmo {

// kCall: a function's body read through, its nodes following as one
// operand; compiled like a part, by the plan that made it.
enum class ConditionOp : std::uint8_t { kPart, kAnd, kOr, kNot, kCall };

// How `exp` combines its operands; kPart when it is no and, or or not.
inline ConditionOp condition_op(const LExp& exp) {
  switch (exp.connective()) {
    case LExp::Connective::kAnd:
      return ConditionOp::kAnd;
    case LExp::Connective::kOr:
      return ConditionOp::kOr;
    case LExp::Connective::kNot:
      return ConditionOp::kNot;
    case LExp::Connective::kNone:
      break;
  }
  return ConditionOp::kPart;
}

// Adds `exp` to `nodes` when it is an and, or or not with operands: its
// node, then each operand by `add_operand(operand)`, then the node's end.
// Returns false, adding nothing, for any other expression.
template <class Node, class AddOperand>
bool add_combination(const LExp& exp, std::vector<Node>& nodes, AddOperand add_operand) {
  const ConditionOp op = condition_op(exp);
  const LExpList* operands = exp.operands();
  if (op == ConditionOp::kPart || !operands) return false;
  const std::size_t at = nodes.size();
  nodes.push_back(Node{op});
  for (const LExpPtr& operand : *operands) add_operand(*operand);
  nodes[at].end = static_cast<std::uint32_t>(nodes.size());
  return true;
}

// Compiles the node at `at` to steps going on to `if_true` or `if_false`
// and returns its first step; `compile_part(node, if_true, if_false)` makes
// a part's step and returns its number. Operands are compiled from the last
// to the first, so that each one's successor is known: in (and A B) a true
// A goes on to B, a false one ends false; in (or A B) a true A ends true, a
// false one goes on to B; (not A B) is (or A B) with the answers swapped.
// (and) and (or) give true, (not) false.
template <class Node, class CompilePart>
int compile_condition_tree(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false,
                           CompilePart& compile_part) {
  const Node& node = nodes[at];
  if (node.op == ConditionOp::kPart || node.op == ConditionOp::kCall) return compile_part(node, if_true, if_false);
  std::vector<std::size_t> operands;
  for (std::size_t i = at + 1; i < node.end; i = nodes[i].end) operands.push_back(i);
  if (operands.empty()) return node.op == ConditionOp::kNot ? if_false : if_true;
  int next = node.op == ConditionOp::kOr ? if_false : if_true;
  for (auto operand = operands.rbegin(); operand != operands.rend(); ++operand) {
    switch (node.op) {
      case ConditionOp::kAnd:
        next = compile_condition_tree(nodes, *operand, next, if_false, compile_part);
        break;
      case ConditionOp::kOr:
        next = compile_condition_tree(nodes, *operand, if_true, next, compile_part);
        break;
      default:  // kNot
        next = compile_condition_tree(nodes, *operand, if_false, next, compile_part);
        break;
    }
  }
  return next;
}

}  // namespace velmo
