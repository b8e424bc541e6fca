#include "lexicon/lexicon/lexicon_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/plain_atts.h"
#include "lexicon/lexicon/lex_entry.h"
#include "lexicon/lexicon/lexicon.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string>& noted() {
  static std::vector<std::string> texts;
  return texts;
}

// (test-note-key): records the key of the entry given as input; true.
class NoteKeyExp final : public DefaultClone<NoteKeyExp> {
 public:
  const char* name() const override { return "test-note-key"; }
  Word eval(Word input, TypeId) override {
    noted().push_back("entry " + reinterpret_cast<const LexEntry*>(input)->key());
    return 1;
  }
};

// (test-note-meaning): records the printed meaning given as input.
class NoteMeaningExp final : public DefaultClone<NoteMeaningExp> {
 public:
  const char* name() const override { return "test-note-meaning"; }
  Word eval(Word input, TypeId type) override {
    noted().push_back(std::string(type_name(type)) + " " + reinterpret_cast<const Meaning*>(input)->text());
    return 1;
  }
};

class LexCommandsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
    if (!LExp::find_prototype("test-note-key")) {
      register_lexp(std::make_unique<NoteKeyExp>());
      register_lexp(std::make_unique<NoteMeaningExp>());
    }
    NameSpaces::set_current("STD");
    if (!NameSpaces::lookup("cmdsyn", "", false)) {
      auto type = std::make_unique<AttInterpreterList>("cmdsyn");
      type->add(std::make_unique<BinAtt>("n"));
      type->add(std::make_unique<BinAtt>("prep"));
      NameSpaces::define_owned("cmdsyn", std::move(type), AttInterpreterList::kTypeText);
    }
    run("(make-avmeaning-proto cmdsyn cmdavm)");
    run("(make-str-meaning-proto note)");
  }
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("velmo_lexcmd_" + std::to_string(::getpid()) + "_" + info->name());
    fs::create_directories(dir_);
    Interpreter::instance().search_path().set(dir_.string(), ":");
    lexicon_ = std::string("lx_") + info->name();
    noted().clear();
    prompt_ = Interpreter::instance().prompt();
    Interpreter::instance().set_prompt(false);
  }
  void TearDown() override {
    Interpreter::instance().set_prompt(prompt_);
    Interpreter::instance().search_path().clear();
    fs::remove_all(dir_);
  }

  static void run(const std::string& text) { Interpreter::instance().execute_string(text); }
  static std::string output_of(const std::string& text) {
    ::testing::internal::CaptureStdout();
    run(text);
    return ::testing::internal::GetCapturedStdout();
  }
  static std::string errors_of(const std::string& text) {
    ::testing::internal::CaptureStderr();
    run(text);
    return ::testing::internal::GetCapturedStderr();
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
  std::string lexicon_;
  bool prompt_ = true;
};

TEST_F(LexCommandsTest, LexAndLexEntry) {
  run("(make-lexicon " + lexicon_ + " 13)");
  run("(lex " + lexicon_ + " (dog (cmdavm (+n)) (note a pet)) (in front of (cmdavm (+prep))))");
  EXPECT_EQ(output_of("(lex-entry " + lexicon_ + " Dog unknown in)"),
            "(dog\n (avm (+n))\n (note a pet)\n )\n(in\n (phrases (in front of))\n )\n");
}

TEST_F(LexCommandsTest, MakeLexiconRegistersALexicon) {
  run("(make-lexicon " + lexicon_ + " 13)");
  EXPECT_NE(NameSpaces::lookup_as<Lexicon>(lexicon_, "Lexicon"), nullptr);
  EXPECT_EQ(errors_of("(make-lexicon " + lexicon_ + " 13)"), "Duplicate definition of " + lexicon_ + "\n");
}

TEST_F(LexCommandsTest, LoadLexReportsDuplicates) {
  write("words.lex", "(dog (note first))\n(dog (note second))\n");
  run("(make-lexicon " + lexicon_ + " 13)");
  EXPECT_EQ(errors_of("(load-lex " + lexicon_ + " words.lex)"), "Duplicate entry: dog\n");
  EXPECT_EQ(output_of("(lex-entry " + lexicon_ + " dog)"), "(dog\n (note first)\n )\n");
}

TEST_F(LexCommandsTest, LoadLexWithNoDupZeroAppends) {
  write("words.lex", "(dog (note first))\n(dog (note second))\n");
  run("(make-lexicon " + lexicon_ + " 13)");
  EXPECT_EQ(errors_of("(load-lex " + lexicon_ + " words.lex :no-dup 0)"), "");
  EXPECT_EQ(output_of("(lex-entry " + lexicon_ + " dog)"), "(dog\n (note first)\n (note second)\n )\n");
}

TEST_F(LexCommandsTest, LoadLexOfMissingFileDoesNothing) {
  run("(make-lexicon " + lexicon_ + " 13)");
  EXPECT_EQ(errors_of("(load-lex " + lexicon_ + " missing.lex)"), "");
}

TEST_F(LexCommandsTest, PrintLexWritesAvmWhateverTheMakerName) {
  run("(make-lexicon " + lexicon_ + " 13)");
  run("(lex " + lexicon_ + " (b (cmdavm (+n))) (A (note x)))");
  run("(print-lex " + lexicon_ + " " + file("out.lex") + ")");
  EXPECT_EQ(read("out.lex"), "(A\n (note x)\n )\n(b\n (avm (+n))\n )\n");
  EXPECT_EQ(output_of("(print-lex " + lexicon_ + " -)"), read("out.lex"));
}

TEST_F(LexCommandsTest, ClearLexicon) {
  run("(make-lexicon " + lexicon_ + " 13)");
  run("(lex " + lexicon_ + " (dog (note x)))");
  run("(clear-lexicon " + lexicon_ + ")");
  EXPECT_EQ(output_of("(print-lex " + lexicon_ + ")"), "");
}

TEST_F(LexCommandsTest, LinkLexFileAndGetEntry) {
  write("big.txt", "(dog (note from disk))\n(cat (note also))\n");
  write("big.hdr", "big.txt 5 big.idx ( )\n");
  run("(make-lexicon " + lexicon_ + " 13)");
  EXPECT_EQ(errors_of("(link-lex-file " + lexicon_ + " big.hdr missing.hdr)"),
            "Making Index file " + file("big.idx") + ". Please wait.\n2 entries\n");
  EXPECT_EQ(output_of("(lex-entry " + lexicon_ + " DOG)"), "(dog\n (note from disk)\n )\n");
  EXPECT_EQ(output_of("(get-entry big.hdr (cat bird dog))"), "(cat (note also))\n(dog (note from disk))\n");
}

TEST_F(LexCommandsTest, MeaningProtoCommandsNeedTheirArguments) {
  run("(make-str-meaning-proto)");
  run("(make-str-meaning-proto a b)");
  EXPECT_EQ(errors_of("(make-avmeaning-proto cmdsyn)"), "");
  run("(make-lexicon " + lexicon_ + " 13)");
  run("(lex " + lexicon_ + " (dog (a x) (note y)))");
  EXPECT_EQ(output_of("(lex-entry " + lexicon_ + " dog)"), "(dog\n (note y)\n )\n");
}

TEST_F(LexCommandsTest, FilterEntriesRunsTheActions) {
  write("in.lex", "(dog (note pet) (cmdavm (+n)))\n(in front of (note p))\n");
  run("(filter-entries " + file("in.lex") + " (test-note-key) (test-note-meaning) (test-note-key))");
  EXPECT_EQ(noted(), (std::vector<std::string>{"entry dog", "Meaning* (note pet)", "Meaning* (avm (+n))", "entry dog",
                                               "entry in front of", "Meaning* (note p)", "entry in front of"}));
}

TEST_F(LexCommandsTest, ToolCommandsUseFiles) {
  write("a.lex", "(b (1))\n(A (2))\n");
  run("(sort-lex " + file("a.lex") + " " + file("sorted.lex") + ")");
  EXPECT_EQ(read("sorted.lex"), "(A (2))\n(b (1))\n");
  write("b.lex", "(a   (2))\n(b (3))\n");
  EXPECT_EQ(output_of("(diff " + file("sorted.lex") + " " + file("b.lex") + ")"), "< (b (1))\n> (b (3))\n\n");
  EXPECT_EQ(output_of("(diff " + file("sorted.lex") + " " + file("missing.lex") + ")"), "");
}

TEST_F(LexCommandsTest, ExpressionFunctions) {
  run("(make-lexicon " + lexicon_ + " 13)");
  LExpPtr root = LExp::from_text("(get-root " + lexicon_ + ")");
  ASSERT_NE(root, nullptr);
  const char* word = "Running";
  EXPECT_STREQ(reinterpret_cast<const char*>(root->eval(reinterpret_cast<Word>(word), type_id("char*"))), "Running");
  LExpPtr head = LExp::from_text("(head-word)");
  ASSERT_NE(head, nullptr);
  const char* entry = "(in  front|of (avm ()))";
  EXPECT_STREQ(reinterpret_cast<const char*>(head->eval(reinterpret_cast<Word>(entry), type_id("char*"))),
               "in front of");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

std::string help_for(const char* regex) {
  Interpreter& interpreter = Interpreter::instance();
  if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
  std::ostringstream out;
  interpreter.list_commands(out, regex);
  return out.str();
}

TEST(LexCommandDocsTest, DocStringsAreExact) {
  EXPECT_EQ(help_for("make-avmeaning-proto$"), "make-avmeaning-proto\nNo documentation provided\n\n");
  EXPECT_EQ(help_for("update-lex$"),
            "update-lex\n(update-lex addendum old-dict new-dict) --- \nnew-dict will consist of entries in "
            "addendum and old-dict entries\nthat are not found in addendum. Both addendum and old-dict are "
            "assumed\nto be sorted\n\n");
  EXPECT_EQ(help_for("make-lexicon$"),
            "make-lexicon\n(make-lexicon <name> <size>)  <name> is the name of the lexicon, which is accessible "
            "as a named object.  <size> is the size of the internal hashtable\n\n");
}

}  // namespace
}  // namespace velmo
