#pragma once
// Adaptors: a conversion of the input, then an optional inner expression
// evaluated on the converted value with the intermediate type.
#include <string>
#include <string_view>

#include "shell/lexp/lexp.h"

namespace velmo {

class LAdaptor : public LExp {
 public:
  explicit LAdaptor(TypeId intermediate = kAnyType);

  // Builds the inner expression from the first argument, if any. Subclasses
  // with keyword options take them before calling this.
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;
  // The conversion of the input.
  virtual Word apply(Word input) = 0;

  TypeId intermediate_type() const { return intermediate_; }
  LExp* inner() const { return inner_.get(); }

 protected:
  void set_intermediate_type(TypeId type);

 private:
  LExpPtr inner_;
  TypeId intermediate_;
};

// An adaptor whose conversion is a plain function.
class FnAdaptor final : public LAdaptor {
 public:
  using Fn = Word (*)(Word input);
  FnAdaptor(std::string_view name, Fn fn, const char* input_type, const char* intermediate_type);

  const char* name() const override { return name_.c_str(); }
  LExpPtr clone() const override;
  Word apply(Word input) override { return fn_(input); }
  // As LAdaptor::eval, calling the function directly: field accessors sit
  // at the start of most conditions and run once per node and rule.
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    const Word converted = fn_(input);
    LExp* next = inner();
    return next ? next->eval(converted, intermediate_type()) : converted;
  }

 private:
  std::string name_;
  Fn fn_;
};

bool register_adaptor(std::string_view name, FnAdaptor::Fn fn, const char* input_type, const char* intermediate_type,
                      const char* doc);

}  // namespace velmo
