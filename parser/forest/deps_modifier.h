#pragma once
// A rewriting that a parser applies to every finished dependency tree
// (`set-deps-modifier`). The tree-rule layer provides it: a rule set.
namespace velmo {

class Deps;

class DepsModifier {
 public:
  virtual ~DepsModifier() = default;
  virtual void modify(Deps& deps) = 0;
};

}  // namespace velmo
