#pragma once
// Native functions as expressions: a function of the input and up to four
// argument expressions, registered with one call to register_native.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "shell/lexp/lexp.h"

namespace velmo {

inline constexpr std::size_t kMaxNativeArgs = 4;

// What every native function expression shares: the arguments, built from
// the form and evaluated on the same input before the call.
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
  // The argument expressions, in order (null for one that failed to build).
  const LExpList& args() const { return args_; }

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

namespace native_detail {

template <std::size_t>
using ArgWord = Word;

template <class Indices>
struct FnOf;
template <std::size_t... I>
struct FnOf<std::index_sequence<I...>> {
  using type = Word (*)(Word input, ArgWord<I>... args);
};

// The number of arguments of a native function after its input, for the
// function pointer types that NativeExp accepts.
template <class Fn>
struct ArgCount;
template <class... Args>
struct ArgCount<Word (*)(Word, Args...)> {
  static_assert((std::is_same_v<Args, Word> && ...), "native functions take and return machine words");
  static constexpr std::size_t value = sizeof...(Args);
};

}  // namespace native_detail

// A native function of the input and N argument values.
template <std::size_t N>
class NativeExp final : public MArgExp {
  static_assert(N <= kMaxNativeArgs, "a native function takes at most four arguments");

 public:
  using Fn = typename native_detail::FnOf<std::make_index_sequence<N>>::type;
  NativeExp(std::string_view name, Fn fn, const char* input_type = nullptr, const char* output_type = nullptr,
            std::initializer_list<const char*> arg_types = {})
      : MArgExp(name, kAcceptedArgs, input_type, output_type, arg_types), fn_(fn) {}
  LExpPtr clone() const override { return LExpPtr(new NativeExp(*this)); }

 private:
  // A function of the input alone still accepts one argument, which is
  // evaluated for its effects (an assignment, say) but not passed on.
  static constexpr std::size_t kAcceptedArgs = N == 0 ? 1 : N;

  NativeExp(const NativeExp& other) : MArgExp(other), fn_(other.fn_) {}
  Word call(const Word* v) const override { return call_with(v, std::make_index_sequence<N + 1>()); }
  template <std::size_t... I>
  Word call_with(const Word* v, std::index_sequence<I...>) const {
    return fn_(v[I]...);
  }

  Fn fn_;
};

using ZeroArgExp = NativeExp<0>;
using OneArgExp = NativeExp<1>;
using TwoArgExp = NativeExp<2>;
using ThreeArgExp = NativeExp<3>;
using FourArgExp = NativeExp<4>;

// One-line registration of a native function (or of a lambda without
// captures): the number of arguments after the input, 0 to 4, chooses the
// NativeExp. Null type names mean any type.
template <class F>
bool register_native(std::string_view name, F fn, const char* input_type, const char* output_type, const char* doc,
                     std::initializer_list<const char*> arg_types = {}) {
  auto pointer = +fn;  // a lambda without captures becomes a function pointer
  constexpr std::size_t args = native_detail::ArgCount<decltype(pointer)>::value;
  const std::string key(name);
  return register_lexp(std::make_unique<NativeExp<args>>(name, pointer, input_type, output_type, arg_types),
                       key.c_str(), doc);
}

}  // namespace velmo
