#pragma once
// Constants: evaluation ignores the input and returns the stored value.
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "shell/lexp/lexp.h"

namespace velmo {

class LConst : public LExp {
 public:
  Word eval(Word, TypeId) override { return value_; }
  Word value() const { return value_; }

 protected:
  void set_value(Word value) { value_ = value; }

 private:
  Word value_ = 0;
};

// (str TEXT): an owned copy of the text; 0 without argument.
class StrConst final : public DefaultClone<StrConst, LConst> {
 public:
  StrConst();
  const char* name() const override { return "str"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::string> text_;
};

// (int N): the integer.
class IntegerConst final : public DefaultClone<IntegerConst, LConst> {
 public:
  IntegerConst();
  const char* name() const override { return "int"; }
  void init(IRSlist& args) override;
};

// (named-obj NAME TYPE): the named object, looked up with complaint.
class NamedObjConst final : public DefaultClone<NamedObjConst, LConst> {
 public:
  const char* name() const override { return "named-obj"; }
  void init(IRSlist& args) override;
};

// (pred LEXP): the built expression itself, as a value of type "LExp*".
class PredConst final : public DefaultClone<PredConst, LConst> {
 public:
  PredConst();
  const char* name() const override { return "pred"; }
  void init(IRSlist& args) override;

 private:
  LExpPtr exp_;
};

// (input FILE): a std::istream* on the file; "-" or nothing: standard input.
class IstrmConst final : public DefaultClone<IstrmConst, LConst> {
 public:
  IstrmConst();
  ~IstrmConst() override;
  const char* name() const override { return "input"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::istream> file_;
};

// (output FILE): a std::ostream* on the file (created or truncated); "-" or
// nothing: standard output.
class OstrmConst final : public DefaultClone<OstrmConst, LConst> {
 public:
  OstrmConst();
  ~OstrmConst() override;
  const char* name() const override { return "output"; }
  void init(IRSlist& args) override;

 private:
  std::unique_ptr<std::ostream> file_;
};

}  // namespace velmo
