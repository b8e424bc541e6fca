#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "lexp_fixture.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/lib/commands.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/text_filter.h"
#include "shell/lib/word_list.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

// Other tests of this program may destroy the factory's prototypes or the
// name spaces; every test starts with both in place.
class LibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    ensure_expression_language();
    if (!Interpreter::instance().find_command("make-word-list")) {
      register_library_commands(Interpreter::instance());
    } else if (!LExp::find_prototype("stem-word")) {
      register_integer_expressions();
      register_text_expressions();
      register_regex_expressions();
      register_word_expressions();
      register_output_expressions();
    }
  }

  // Builds `text`, keeping the expression alive until the next build, so a
  // returned text stays readable.
  Word eval(const char* text, Word input = 0, TypeId type = kAnyType) {
    exp_ = LExp::from_text(text);
    return exp_ ? exp_->eval(input, type) : 0;
  }
  Word eval_text(const char* text, const char* input) { return eval(text, word_of(input), types().text); }
  std::string text_result(const char* text, const char* input) {
    const Word result = eval_text(text, input);
    return result ? text_of(result) : "(null)";
  }
  static Word integer(std::intptr_t value) { return static_cast<Word>(value); }
  static const ShellTypes& types() { return ShellTypes::get(); }

  static std::string type_error(const char* name, TypeId received, TypeId expected) {
    std::ostringstream out;
    out << name << " received a wrong type of argument:'" << type_name(received) << "' (" << received << ")\n"
        << "The expected type of argument is:'" << type_name(expected) << "' (" << expected << ")\n";
    return out.str();
  }

  LExpPtr exp_;
};

// Joins texts (avoids "literal" + std::string, which trips a false
// -Wrestrict warning of g++ 12).
template <class... Parts>
std::string join(const Parts&... parts) {
  std::string text;
  (text.append(parts), ...);
  return text;
}

// ---- Integers

TEST_F(LibraryTest, IntegerTestsAreFalseOnInputZero) {
  EXPECT_EQ(eval("(int-eq (int 3) (int 3))"), 0u);
  EXPECT_EQ(eval("(int-sum (int 3) (int 4))"), 0u);
  EXPECT_EQ(eval("(int-eq (int 3) (int 3))", 1), 1u);
  EXPECT_EQ(eval("(int-eq (int 3) (int 4))", 1), 0u);
}

TEST_F(LibraryTest, IntegerComparisonIsSigned) {
  EXPECT_EQ(eval("(int-gt (int 1) (int -1))", 1), 1u);
  EXPECT_EQ(eval("(int-gt (int -1) (int 1))", 1), 0u);
  EXPECT_EQ(eval("(int-gt (int 2) (int 2))", 1), 0u);
}

TEST_F(LibraryTest, IntegerArithmetic) {
  EXPECT_EQ(eval("(int-diff (int 3) (int 10))", 1), integer(-7));
  EXPECT_EQ(eval("(int-sum (int -3) (int 10))", 1), integer(7));
}

TEST_F(LibraryTest, MissingIntegerArgumentGivesZero) {
  EXPECT_EQ(eval("(int-eq (int 0))", 1), 0u);
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(int-eq (int 0) (nope))", 1), 0u);
  testing::internal::GetCapturedStderr();
}

TEST_F(LibraryTest, TooManyIntegerArgumentsAreReported) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(int-sum (int 1) (int 2) (int 3))", 1), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Incorrect number of arguments in int-sum. Expected: 2 Actual: 3\n");
}

TEST_F(LibraryTest, StepAdaptorsKeepTheInputType) {
  EXPECT_EQ(eval("(+1)", 5), 6u);
  EXPECT_EQ(eval("(-1)", 5), 4u);
  EXPECT_STREQ(text_of(eval("(-1 (int2str))", 5, types().integer)), "4");
  EXPECT_EQ(text_result("(+1 (+1 (ident)))", "abc"), "c");
}

TEST_F(LibraryTest, IntToTextAndEntityToText) {
  EXPECT_STREQ(text_of(eval("(int2str)", integer(-42), types().integer)), "-42");
  EXPECT_STREQ(text_of(eval("(ent2str)", 255)), "ff");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval_text("(int2str)", "12"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), type_error("int2str", types().text, types().integer));
}

// ---- Texts

TEST_F(LibraryTest, StrEqualsIgnoresCase) {
  EXPECT_EQ(eval_text("(str= the)", "The"), 1u);
  EXPECT_EQ(eval_text("(str= then)", "The"), 0u);
  EXPECT_EQ(eval_text("(str= the)", nullptr), 0u);
  EXPECT_EQ(eval_text("(str= THE)", "the"), 1u);
  EXPECT_EQ(eval_text("(str= the)", "th"), 0u);
  EXPECT_EQ(eval_text("(str= the)", "theme"), 0u);
  EXPECT_EQ(eval_text("(str= \"\")", ""), 1u);
}

TEST_F(LibraryTest, TextComparisonsOfArguments) {
  EXPECT_EQ(eval_text("(str-eq (str ABC) (str abc))", "x"), 1u);
  EXPECT_EQ(eval_text("(str-eq (str ABC) (str))", "x"), 0u);
  EXPECT_EQ(eval_text("(strstr (str Haystack) (str ST))", "x"), 1u);
  EXPECT_EQ(eval_text("(strstr (str ST) (str Haystack))", "x"), 0u);
  EXPECT_EQ(eval_text("(str-prefix (str HAY) (str haystack))", "x"), 1u);
  EXPECT_EQ(eval_text("(str-prefix (str haystack) (str hay))", "x"), 0u);
  EXPECT_EQ(eval("(str-eq (str a) (str a))"), 0u);  // a null input gives 0
}

TEST_F(LibraryTest, NullStr) {
  EXPECT_EQ(eval_text("(null-str)", nullptr), 1u);
  EXPECT_EQ(eval_text("(null-str)", ""), 1u);
  EXPECT_EQ(eval_text("(null-str)", "x"), 0u);
}

TEST_F(LibraryTest, RemovePrefixIsExact) {
  EXPECT_EQ(text_result("(remove-prefix (str un))", "undo"), "do");
  EXPECT_EQ(text_result("(remove-prefix (str UN))", "undo"), "(null)");
  EXPECT_EQ(text_result("(remove-prefix (str undo))", "undo"), "");
}

TEST_F(LibraryTest, RegMatchIsAnchoredAtTheStart) {
  EXPECT_EQ(text_result("(reg-match ab)", "abc"), "abc");
  EXPECT_EQ(text_result("(reg-match ab)", "cab"), "(null)");
  EXPECT_EQ(text_result("(reg-match \".*ab\")", "cab"), "cab");
  EXPECT_EQ(text_result("(reg-match x \"c\")", "cab"), "cab");
  EXPECT_EQ(text_result("(reg-match \"x*\")", "cab"), "cab");  // an empty match counts
}

TEST_F(LibraryTest, RegMatchWithBadPatternMatchesNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval_text("(reg-match \"a(b\")", "a(b"), 0u);
  const std::string error = testing::internal::GetCapturedStderr();
  EXPECT_EQ(error.rfind("regexp(3): ", 0), 0u) << error;
  EXPECT_NE(error.find(" in \"a(b\"\n"), std::string::npos) << error;
}

TEST_F(LibraryTest, RegSubFirstAndGlobal) {
  EXPECT_EQ(text_result("(reg-sub a o g)", "banana"), "bonono");
  EXPECT_EQ(text_result("(reg-sub a o)", "banana"), "bonana");
  EXPECT_EQ(text_result("(reg-sub \"(an)\" <\\1> g)", "banana"), "b<an><an>a");
  EXPECT_EQ(text_result("(reg-sub \"x*\" - g)", "ab"), "-a-b-");
}

TEST_F(LibraryTest, RegSubGrowsItsBufferForLongInputs) {
  const std::string input(10000, 'a');
  const std::string result = text_result("(reg-sub a bb g 256)", input.c_str());
  EXPECT_EQ(result, std::string(20000, 'b'));
}

TEST_F(LibraryTest, TextAdaptors) {
  EXPECT_EQ(text_result("(inverse)", "abc"), "cba");
  EXPECT_EQ(text_result("(last-word)", "the cat sat"), "sat");
  EXPECT_EQ(text_result("(remove-char \"at\")", "the cat sat"), "he c s");
  EXPECT_EQ(text_result("(remove-punc)", "John's"), "John");
  EXPECT_EQ(text_result("(remove-punc)", "well-known"), "well-known");
  EXPECT_EQ(text_result("(inverse (inverse))", "abc"), "abc");
  EXPECT_EQ(eval_text("(inverse)", nullptr), 0u);
}

TEST_F(LibraryTest, StemWord) {
  EXPECT_EQ(text_result("(stem-word)", "running"), "run");
  EXPECT_EQ(text_result("(stem-word)", "hopefulness"), "hopeful");
  EXPECT_EQ(text_result("(stem-word)", "Running"), "run");
  const char* possessive = "John's";
  EXPECT_EQ(eval_text("(stem-word)", possessive), word_of(possessive));  // returned unchanged
}

TEST_F(LibraryTest, StemWordFeedsItsInnerExpression) { EXPECT_EQ(eval_text("(stem-word (str= RUN))", "running"), 1u); }

TEST_F(LibraryTest, FormatSkipsNullResults) {
  EXPECT_EQ(text_result("(format x (str) y)", "in"), "xy");
  EXPECT_EQ(text_result("(format \"<\" (ident) \">\")", "in"), "<in>");
  EXPECT_EQ(text_result("(format n= (int 42))", "in"), "n=42");
}

TEST_F(LibraryTest, FormatTakesAnyNumberOfParts) {
  std::string form = "(format";
  std::string expected;
  for (int i = 0; i < 40; ++i) {
    form += ' ';
    form += i % 2 ? "(ident)" : std::to_string(i);
    expected += i % 2 ? "x" : std::to_string(i);
  }
  form += ")";
  EXPECT_EQ(text_result(form.c_str(), "x"), expected);
}

TEST_F(LibraryTest, StrSim) {
  EXPECT_EQ(eval_text("(str-sim (str hello) (str hello))", "x"), 1000u);
  EXPECT_EQ(eval_text("(str-sim (str hello) (str help))", "x"), 444u);
  EXPECT_EQ(eval_text("(str-sim (str) (str))", "x"), 1000u);
  EXPECT_EQ(eval_text("(str-sim (str a) (str))", "x"), 0u);
  EXPECT_EQ(eval_text("(str-sim (str a) (str a))", nullptr), 0u);
}

// ---- Word loops

TEST_F(LibraryTest, ExistWordStopsAtTheFirstHit) {
  EXPECT_EQ(eval_text("(exist-word (str= cat))", "the cat sat"), 1u);
  EXPECT_EQ(eval_text("(exist-word (str= dog))", "the cat sat"), 0u);
  EXPECT_EQ(eval_text("(exist-word \",\" (str= cat))", "the,cat"), 1u);
  EXPECT_EQ(eval_text("(exist-word \",\" (str= cat))", "the cat"), 0u);
  testing::internal::CaptureStdout();
  eval_text("(exist-word (print-str :suffix \"|\"))", "a b c");  // print-str yields 0: every word is seen
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "a|b|c|");
}

TEST_F(LibraryTest, AllWordsEvaluatesEveryWord) {
  EXPECT_EQ(text_result("(all-words (reg-match \"[a-z]+$\"))", "the  cat\tsat\n"), "the  cat\tsat\n");
  EXPECT_EQ(eval_text("(all-words (reg-match \"[a-z]+$\"))", "the c4t sat"), 0u);
  testing::internal::CaptureStdout();
  eval_text("(all-words (print-str :suffix \"|\"))", "a b c");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "a|b|c|");
}

TEST_F(LibraryTest, ContainTokens) {
  EXPECT_EQ(text_result("(contain-tokens (WORLD foo))", "hello (world) foo"), "world");
  EXPECT_EQ(text_result("(contain-tokens :case (WORLD foo))", "hello (world) foo"), "foo");
  EXPECT_EQ(text_result("(contain-tokens (bar))", "hello world"), "(null)");
}

// ---- Word lists

TEST_F(LibraryTest, InWithSortedArray) {
  EXPECT_EQ(text_result("(in (Apple pear))", "apple"), "apple");
  EXPECT_EQ(text_result("(in :case-sensitive (Apple pear))", "apple"), "(null)");
  EXPECT_EQ(text_result("(in :case-sensitive (Apple pear))", "Apple"), "Apple");
  EXPECT_EQ(eval_text("(in (Apple pear))", nullptr), 0u);
}

TEST_F(LibraryTest, InWithOwnHashTableReturnsTheStoredWord) {
  EXPECT_EQ(text_result("(in :hashsize 7 (Apple pear))", "APPLE"), "Apple");
  EXPECT_EQ(text_result("(in :hashsize 7 :case-sensitive (Apple pear))", "APPLE"), "(null)");
}

class LibraryFileTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    dir_ = std::filesystem::temp_directory_path() /
           join("velmo_library_", std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const char* name, const std::string& content) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::filesystem::path dir_;
};

TEST_F(LibraryFileTest, InReadsCrlfFilesWithoutTheCarriageReturn) {
  const std::string file = write("words.txt", "Apple\r\nbanana\r\n\r\n");
  const std::string form = join("(in \"", file, "\" (cherry))");
  EXPECT_EQ(text_result(form.c_str(), "BANANA"), "BANANA");
  EXPECT_EQ(text_result(form.c_str(), "cherry"), "cherry");
  EXPECT_EQ(text_result(form.c_str(), ""), "(null)");
}

TEST_F(LibraryFileTest, SuffixFromFileAndList) {
  const std::string file = write("suffixes.txt", "ing\r\n");
  const std::string form = join("(suffix \"", file, "\" (ed))");
  EXPECT_EQ(text_result(form.c_str(), "WALKING"), "WALKING");
  EXPECT_EQ(text_result(form.c_str(), "walked"), "walked");
  EXPECT_EQ(text_result(form.c_str(), "walks"), "(null)");
}

TEST_F(LibraryFileTest, MakeWordListKeepsCarriageReturnsAndIgnoresCase) {
  const std::string file = write("list.txt", "Apple\r\nbanana\n");
  const std::string command = join("(make-word-list lib-crlf :hashsize 11 :case-sensitive \"", file, "\" (Cherry))");
  Interpreter::instance().execute_string(command);
  EXPECT_EQ(text_result("(in :wordlist lib-crlf)", "banana"), "banana");
  EXPECT_EQ(text_result("(in :wordlist lib-crlf)", "CHERRY"), "Cherry");  // ignores case despite the flag
  EXPECT_EQ(text_result("(in :wordlist lib-crlf)", "apple"), "(null)");   // stored as "Apple\r"
  EXPECT_EQ(text_result("(in :wordlist lib-crlf)", "apple\r"), "Apple\r");
}

// A filter's direct answer agrees with its evaluation on a text.
TEST_F(LibraryTest, TextFiltersAnswerAsTheirEvaluation) {
  for (const char* form : {"(reg-match \"^(dog|cat)$\")", "(reg-match x \"^c\")", "(in (dog cow))", "(in)"}) {
    for (const char* text : {"dog", "cat", "cow", "the dog", ""}) {
      const bool evaluated = eval_text(form, text) != 0;
      const auto* filter = dynamic_cast<const TextFilter*>(exp_.get());
      ASSERT_NE(filter, nullptr) << form;
      EXPECT_EQ(filter->passes(text), std::optional<bool>(evaluated)) << form << " on " << text;
    }
    EXPECT_EQ(dynamic_cast<const TextFilter*>(exp_.get())->passes(nullptr), std::optional<bool>(false)) << form;
  }
}

// A reg-match tells the first bytes of the texts that may pass, those of
// any of its expressions: a text beginning with another byte passes not.
TEST_F(LibraryTest, RegMatchTellsTheFirstBytesOfPassingTexts) {
  eval_text("(reg-match \"dog\" \"(cat|owl)s?\")", "dog");
  const auto* filter = dynamic_cast<const TextFilter*>(exp_.get());
  ASSERT_NE(filter, nullptr);
  const std::optional<TextFilter::ByteSet> bytes = filter->first_bytes();
  ASSERT_TRUE(bytes.has_value());
  for (int byte = 0; byte < 256; ++byte) {
    const bool may = ((*bytes)[static_cast<std::size_t>(byte / 64)] >> (byte % 64)) & 1u;
    EXPECT_EQ(may, byte == 'd' || byte == 'c' || byte == 'o') << byte;
  }
  for (const char* text : {"dog", "cats", "owl", "the dog", "", "Dog"}) {
    const auto byte = static_cast<unsigned char>(text[0]);
    if (!(((*bytes)[byte / 64] >> (byte % 64)) & 1u)) {
      EXPECT_EQ(filter->passes(text), std::optional<bool>(false)) << text;
    }
  }
  // An expression that matches the empty text may begin with any byte.
  eval_text("(reg-match \"dog\" \"x*\")", "dog");
  const std::optional<TextFilter::ByteSet> any = dynamic_cast<const TextFilter*>(exp_.get())->first_bytes();
  ASSERT_TRUE(any.has_value());
  for (const std::uint64_t word : *any) EXPECT_EQ(word, ~std::uint64_t{0});
  // Membership in listed words tells none.
  eval_text("(in (dog))", "dog");
  EXPECT_EQ(dynamic_cast<const TextFilter*>(exp_.get())->first_bytes(), std::nullopt);
}

TEST_F(LibraryFileTest, InOverAWordListIsNoFilter) {
  Interpreter::instance().execute_string("(make-word-list lib-filter :hashsize 11 (Cherry))");
  EXPECT_EQ(text_result("(in :wordlist lib-filter)", "cherry"), "Cherry");  // the list's word, not the input
  const auto* filter = dynamic_cast<const TextFilter*>(exp_.get());
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->passes("cherry"), std::nullopt);
}

// Only an (in ...) that tests membership in its own sorted array lists its
// words; one over a hash table, and other filters, list none.
TEST_F(LibraryTest, InOverListedWordsGivesItsArray) {
  eval_text("(in (dog Cow dog))", "dog");
  const auto* listed = dynamic_cast<const TextFilter*>(exp_.get());
  ASSERT_NE(listed, nullptr);
  ASSERT_NE(listed->listed_words(), nullptr);
  const std::vector<std::string_view> expected = {"Cow", "dog"};
  EXPECT_EQ(listed->listed_words()->words(), expected);
  for (const char* form : {"(in :hashsize 11 (dog))", "(reg-match \"^dog$\")"}) {
    eval_text(form, "dog");
    const auto* filter = dynamic_cast<const TextFilter*>(exp_.get());
    ASSERT_NE(filter, nullptr) << form;
    EXPECT_EQ(filter->listed_words(), nullptr) << form;
  }
}

TEST_F(LibraryTest, MakeWordListWithoutHashsizeDefinesNothing) {
  Interpreter::instance().execute_string("(make-word-list lib-nothing (a b))");
  EXPECT_EQ(NameSpaces::lookup("lib-nothing", "", /*complain=*/false), nullptr);
}

TEST_F(LibraryTest, AddToWordListExtendsTheNamedList) {
  Interpreter::instance().execute_string("(make-word-list lib-grow :hashsize 3 (a))");
  Interpreter::instance().execute_string("(add-to-word-list lib-grow (b A))");
  auto* list = NameSpaces::lookup_as<WordTable>("lib-grow", kWordListType, false);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->size(), 2u);
  EXPECT_EQ(text_result("(in :wordlist lib-grow)", "B"), "b");
}

TEST_F(LibraryTest, RepeatedWordListNameKeepsTheFirst) {
  Interpreter::instance().execute_string("(make-word-list lib-twice :hashsize 3 (first))");
  testing::internal::CaptureStderr();
  Interpreter::instance().execute_string("(make-word-list lib-twice :hashsize 3 (second))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of lib-twice\n");
  EXPECT_EQ(text_result("(in :wordlist lib-twice)", "second"), "(null)");
  EXPECT_EQ(text_result("(in :wordlist lib-twice)", "first"), "first");
}

TEST_F(LibraryTest, InWithNamedListAddsItsOwnWordsToTheList) {
  Interpreter::instance().execute_string("(make-word-list lib-shared :hashsize 5 (one))");
  EXPECT_EQ(text_result("(in :wordlist lib-shared (two))", "TWO"), "two");
  EXPECT_EQ(NameSpaces::lookup_as<WordTable>("lib-shared", kWordListType, false)->size(), 2u);
}

TEST_F(LibraryTest, WordListCommandsWithoutNameAreReported) {
  testing::internal::CaptureStderr();
  Interpreter::instance().execute_string("(make-word-list :hashsize 5)");
  Interpreter::instance().execute_string("(add-to-word-list)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "make-word-list: the name of the word list is missing\n"
            "add-to-word-list: the name of the word list is missing\n");
}

TEST_F(LibraryTest, RegSubWithBadPatternCopiesTheInput) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(text_result("(reg-sub \"[b\" x g)", "abc"), "abc");
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("regexp(3): ", 0), 0u);
}

TEST_F(LibraryTest, MissingWordListIsReported) {
  testing::internal::CaptureStderr();
  Interpreter::instance().execute_string("(add-to-word-list lib-absent (a))");
  EXPECT_EQ(eval_text("(in :wordlist lib-absent)", "a"), 0u);
  const std::string expected =
      "The named object 'lib-absent' (type=THashTableWithOrd<const char*, const char*>) is not found\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), expected + expected);
}

// ---- Output

TEST_F(LibraryTest, PrintStrToStandardOutput) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(eval_text("(print-str :prefix \"<\" :suffix \">\")", "word"), 0u);
  eval_text("(print-str)", nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "<word>(null)");
}

TEST_F(LibraryFileTest, PrintStrPadAndFlushToAStream) {
  const std::string file = (dir_ / "out.txt").string();
  const std::string single = join("(print-str :prefix \"[\" :suffix \"]\" (output \"", file, "\"))");
  {
    LExpPtr exp = LExp::from_text(single);
    ASSERT_NE(exp, nullptr);
    exp->eval(word_of("word"), types().text);
    exp->eval(0, types().text);  // no "(null)" when writing to a stream
  }
  std::ifstream in(file);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "[word][]");
}

TEST_F(LibraryTest, StreamArgumentOfTheWrongTypeIsRefused) {
  testing::internal::CaptureStderr();
  LExpPtr exp = LExp::from_text("(print-str (str x))");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "print-str: the expression str yields 'char*', not a stream\n");
  testing::internal::CaptureStdout();
  exp->eval(word_of("safe"), types().text);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "safe");
}

TEST_F(LibraryTest, PadAndFlushReturnTheInput) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(text_result("(pad \"--\")", "in"), "in");
  EXPECT_EQ(text_result("(flush-output)", "in"), "in");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "--");
}

TEST_F(LibraryFileTest, WriteToFileReplacesTheContent) {
  const std::string file = write("target.txt", "old content that is longer");
  const std::string form = join("(write-to-file :mode \"a\" (str \"", file, "\"))");
  EXPECT_EQ(text_result(form.c_str(), "new"), "new");
  std::ifstream in(file);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "new");
}

TEST_F(LibraryFileTest, WriteToFileFailureIsReportedAndFalse) {
  const std::string file = (dir_ / "no-such-dir" / "x.txt").string();
  const std::string form = join("(write-to-file \"", file, "\")");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval_text(form.c_str(), "text"), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), join("Can't open file: ", file, "\n"));
}

// ---- Types

TEST_F(LibraryTest, WrongInputTypeIsReportedAndFalse) {
  const TypeId other = type_id("LexItem*");
  testing::internal::CaptureStderr();
  EXPECT_EQ(eval("(stem-word)", 1, other), 0u);
  EXPECT_EQ(eval("(in (a))", 1, other), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            type_error("stem-word", other, types().text) + type_error("in", other, types().text));
}

}  // namespace
}  // namespace velmo
