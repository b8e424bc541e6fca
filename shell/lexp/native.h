#pragma once
// Native functions as expressions: a function of the input and up to four
// argument expressions, registered with one call to register_native.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "shell/lexp/lexp.h"

namespace velmo {

class MArgExp : public LExp {
 public:
  MArgExp(std::string_view name, std::size_t max_args, const char* input_type, const char* output_type,
          std::initializer_list<const char*> arg_types);

  const char* name() const override { return name_.c_str(); }
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;

  std::size_t max_args() const { return max_args_; }
  const std::vector<TypeId>& arg_types() const { return arg_types_; }
  std::size_t built_args() const { return args_.size(); }

 protected:
  // A copy of the prototype's fixed fields, without arguments.
  MArgExp(const MArgExp& prototype);
  // values[0] is the input, values[1..max_args()] the argument values.
  virtual Word call(const Word* values) const = 0;

 private:
  std::string name_;
  std::size_t max_args_;
  std::vector<TypeId> arg_types_;
  LExpList args_;  // an argument that failed to build is null
};

class ZeroArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input);
  ZeroArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
             std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 1, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new ZeroArgExp(*this)); }

 private:
  ZeroArgExp(const ZeroArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0]); }
  Fn fn_;
};

class OneArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1);
  OneArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
            std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 1, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new OneArgExp(*this)); }

 private:
  OneArgExp(const OneArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1]); }
  Fn fn_;
};

class TwoArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2);
  TwoArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
            std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 2, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new TwoArgExp(*this)); }

 private:
  TwoArgExp(const TwoArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2]); }
  Fn fn_;
};

class ThreeArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2, Word a3);
  ThreeArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
              std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 3, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new ThreeArgExp(*this)); }

 private:
  ThreeArgExp(const ThreeArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2], v[3]); }
  Fn fn_;
};

class FourArgExp final : public MArgExp {
 public:
  using Fn = Word (*)(Word input, Word a1, Word a2, Word a3, Word a4);
  FourArgExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
             std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, 4, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new FourArgExp(*this)); }

 private:
  FourArgExp(const FourArgExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return fn_(v[0], v[1], v[2], v[3], v[4]); }
  Fn fn_;
};

// One-line registration of a native function; the overload is chosen by the
// function's shape (input only: ZeroArgExp, input and one argument:
// OneArgExp, ...). Null type names mean any type.
bool register_native(std::string_view name, ZeroArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, OneArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, TwoArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, ThreeArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});
bool register_native(std::string_view name, FourArgExp::Fn fn, const char* input_type, const char* output_type,
                     const char* doc, std::initializer_list<const char*> arg_types = {});

}  // namespace velmo
