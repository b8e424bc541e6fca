#include "shell/interpreter/name_space.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <vector>

#include "shell/interpreter/obj_factory.h"
#include "shell/reader/tokenizer.h"

namespace velmo {
namespace {

// A plain named object.
struct Thing : NamedObject {
  explicit Thing(int value = 0) : value(value) {}
  int value;
};

// Records the order in which objects are destroyed.
struct Tracked : NamedObject {
  Tracked(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
  ~Tracked() { log.push_back(name); }
  std::vector<std::string>& log;
  std::string name;
};

// Records its closing at exit and its destruction; `leave` says whether
// it may be left to the process exit.
struct Closing : NamedObject {
  Closing(std::vector<std::string>& log, std::string name, bool leave)
      : log(log), name(std::move(name)), leave(leave) {}
  ~Closing() override { log.push_back("delete " + name); }
  bool close_at_exit() override {
    log.push_back("close " + name);
    return leave;
  }
  std::vector<std::string>& log;
  std::string name;
  bool leave;
};

class NameSpaceTest : public testing::Test {
 protected:
  void SetUp() override {
    NameSpaces::delete_all();
    NameSpaces::set_current("STD");
  }
  void TearDown() override { NameSpaces::delete_all(); }
};

TEST_F(NameSpaceTest, EverySpaceDefinesTheComparisonFunctions) {
  CompareFn compare = NameSpaces::lookup_function("strcasecmp");
  ASSERT_NE(compare, nullptr);
  EXPECT_EQ(compare("ABC", "abc"), 0);
  CompareFn exact = NameSpaces::lookup_function("strcmp");
  ASSERT_NE(exact, nullptr);
  EXPECT_NE(exact("ABC", "abc"), 0);
}

TEST_F(NameSpaceTest, DuplicateDefinitionKeepsTheFirstObject) {
  Thing first(1);
  Thing second(2);
  NameSpaces::define("thing", &first, "Int");
  testing::internal::CaptureStderr();
  bool inserted = true;
  NamedEntry* entry = NameSpaces::define("THING", &second, "Int", &inserted);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Duplicate definition of THING\n");
  EXPECT_FALSE(inserted);
  EXPECT_EQ(entry->object, &first);
  EXPECT_EQ(NameSpaces::lookup("Thing", "Int"), &first);
}

TEST_F(NameSpaceTest, RefusedOwnedDefinitionDestroysTheNewObject) {
  std::vector<std::string> log;
  NameSpaces::define_owned("x", std::make_unique<Tracked>(log, "first"), "Tracked");
  testing::internal::CaptureStderr();
  EXPECT_EQ(NameSpaces::define_owned("x", std::make_unique<Tracked>(log, "second"), "Tracked"), nullptr);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(log, (std::vector<std::string>{"second"}));
  NameSpaces::delete_all();
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
}

TEST_F(NameSpaceTest, TypeCheckIsSubstringAndMessagesAreExact) {
  Thing object;
  NameSpaces::define("tok", &object, "SocketTokenizer/TokenizerBase");
  EXPECT_EQ(NameSpaces::lookup("tok", "TokenizerBase"), &object);
  EXPECT_EQ(NameSpaces::lookup("tok", ""), &object);
  testing::internal::CaptureStderr();
  EXPECT_EQ(NameSpaces::lookup("tok", "Lexicon"), nullptr);
  EXPECT_EQ(NameSpaces::lookup("none", "Lexicon"), nullptr);
  EXPECT_EQ(NameSpaces::lookup("none", "Lexicon", false), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The named object 'tok' is of the type 'SocketTokenizer/TokenizerBase', not the expected type "
            "'Lexicon'.\n"
            "The named object 'none' (type=Lexicon) is not found\n");
}

TEST_F(NameSpaceTest, TypedLookupRefusesAnObjectOfAnotherClass) {
  // The type text matches, the class does not: a clean "not found".
  Thing impostor;
  NameSpaces::define("tok", &impostor, "Tokenizer/TokenizerBase");
  testing::internal::CaptureStderr();
  EXPECT_EQ(NameSpaces::lookup_as<TokenizerBase>("tok", "TokenizerBase"), nullptr);
  EXPECT_EQ(NameSpaces::lookup_as<TokenizerBase>("tok", "TokenizerBase", false), nullptr);
  EXPECT_EQ(NameSpaces::lookup_function("tok", false), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The named object 'tok' (type=TokenizerBase) is not found\n"
            "The named object 'tok' is of the type 'Tokenizer/TokenizerBase', not the expected type 'function'.\n");
  EXPECT_EQ(NameSpaces::lookup_as<Thing>("tok", "Tokenizer"), &impostor);
}

TEST_F(NameSpaceTest, TypedLookupReachesTheBaseOfADerivedObject) {
  auto* tokenizer = NameSpaces::define_owned("words", std::make_unique<Tokenizer>(tokenizer_configs::kWhitespace),
                                             "Tokenizer/TokenizerBase");
  ASSERT_NE(tokenizer, nullptr);
  TokenizerBase* base = NameSpaces::lookup_as<TokenizerBase>("words", "TokenizerBase");
  EXPECT_EQ(base, static_cast<TokenizerBase*>(tokenizer));
  EXPECT_EQ(NameSpaces::lookup_as<NamedObject>("words", ""), static_cast<NamedObject*>(tokenizer));
}

TEST_F(NameSpaceTest, QualifiedNamesSelectTheSpace) {
  Thing a;
  NameSpaces::set_current("other");
  NameSpaces::define("STD::a", &a, "");
  EXPECT_EQ(NameSpaces::lookup("a", "", false), nullptr);
  EXPECT_EQ(NameSpaces::lookup("std::A", ""), &a);
  testing::internal::CaptureStderr();
  EXPECT_EQ(NameSpaces::define("nowhere::b", &a, ""), nullptr);
  EXPECT_EQ(NameSpaces::lookup("nowhere::b", ""), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The NameSpace nowhere is not defined.\nThe NameSpace nowhere is not defined.\n");
}

TEST_F(NameSpaceTest, DeletingDestroysObjectsNewestFirst) {
  std::vector<std::string> log;
  NameSpaces::define_owned("one", std::make_unique<Tracked>(log, "one"), "T");
  NameSpaces::define_owned("two", std::make_unique<Tracked>(log, "two"), "T");
  Thing unowned;
  NameSpaces::define("plain", &unowned, "T");
  NameSpaces::define_owned("three", std::make_unique<Tracked>(log, "three"), "T");
  NameSpaces::delete_all();
  EXPECT_EQ(log, (std::vector<std::string>{"three", "two", "one"}));
  EXPECT_EQ(NameSpaces::current(), nullptr);
  EXPECT_EQ(NameSpaces::define("later", &unowned, "T"), nullptr);
}

struct Proto {
  int value;
};
void* clone_proto(void* p) { return new Proto(*static_cast<Proto*>(p)); }
void destroy_proto(void* p) { delete static_cast<Proto*>(p); }

TEST(ObjFactoryTest, PrototypesAreClonedAndMissingOnesReported) {
  ObjFactory& factory = ObjFactory::instance();
  ASSERT_TRUE(factory.add_maker("TestClass", std::make_unique<Maker>(23, clone_proto, destroy_proto)));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(factory.add_maker("testclass", std::make_unique<Maker>(23, clone_proto, destroy_proto)));
  EXPECT_FALSE(factory.add_prototype("NoClass", "p", nullptr, ""));
  EXPECT_EQ(factory.get_prototype("NoClass", "p"), nullptr);
  EXPECT_EQ(factory.get_prototype("TestClass", "absent"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Duplicate definition of testclass\n"
            "ObjFactory::proto no maker for 'NoClass'\n"
            "Object Factory does not have a maker for NoClass\n"
            "No prototype for absent exists in the Object Factory\n");
  auto* proto = new Proto{7};
  ASSERT_TRUE(factory.add_prototype("TestClass", "seven", proto, "(seven) the number seven"));
  auto* made = static_cast<Proto*>(factory.make("testclass", "SEVEN"));
  ASSERT_NE(made, nullptr);
  EXPECT_NE(made, proto);
  EXPECT_EQ(made->value, 7);
  delete made;
  EXPECT_EQ(factory.find_prototype("TestClass", "seven"), proto);

  std::ostringstream listing;
  factory.list_objects(listing, "sev", "TestC");
  EXPECT_EQ(listing.str(), "seven\n(seven) the number seven\n\n");
  factory.destroy_prototypes();
  EXPECT_EQ(factory.find_prototype("TestClass", "seven"), nullptr);
}

// Users that keep a prototype found by name ask again only when the count
// of changes moved: a prototype added or destroyed moves it, a refused
// duplicate does not.
TEST(ObjFactoryTest, PrototypeChangesCountAdditionsAndDestruction) {
  ObjFactory& factory = ObjFactory::instance();
  ASSERT_TRUE(factory.add_maker("CountedClass", std::make_unique<Maker>(23, clone_proto, destroy_proto)));
  const std::uint64_t before = factory.prototype_changes();
  auto* proto = new Proto{3};
  ASSERT_TRUE(factory.add_prototype("CountedClass", "three", proto, ""));
  EXPECT_EQ(factory.prototype_changes(), before + 1);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(factory.add_prototype("CountedClass", "three", proto, ""));
  EXPECT_FALSE(factory.add_prototype("NoSuchClass", "three", proto, ""));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(factory.prototype_changes(), before + 1);
  EXPECT_EQ(factory.find_prototype("CountedClass", "three"), proto);
  EXPECT_EQ(factory.prototype_changes(), before + 1);
  factory.destroy_prototypes();
  EXPECT_EQ(factory.prototype_changes(), before + 2);
  EXPECT_EQ(factory.find_prototype("CountedClass", "three"), nullptr);
}

TEST_F(NameSpaceTest, ClosingAtExitDestroysOnlyObjectsThatCannotBeLeft) {
  std::vector<std::string> log;
  {
    NameSpace space("closing");
    space.define_owned("a", new Closing(log, "a", true), "Closing");
    space.define_owned("b", new Closing(log, "b", false), "Closing");
    space.define_owned("c", new Closing(log, "c", true), "Closing");
    space.close_at_exit();
    EXPECT_EQ(log, (std::vector<std::string>{"close c", "close b", "delete b", "close a"}));
    log.clear();
  }
  // A space deleted after all still deletes what it kept, newest first.
  EXPECT_EQ(log, (std::vector<std::string>{"delete c", "delete a"}));
}

TEST_F(NameSpaceTest, ClosingAllAtExitClosesEverySpaceAndListsNone) {
  std::vector<std::string> log;
  NameSpaces::define_owned("kept", std::make_unique<Closing>(log, "kept", true), "Closing");
  NameSpaces::set_current("OTHER");
  NameSpaces::define_owned("gone", std::make_unique<Closing>(log, "gone", false), "Closing");
  NameSpaces::close_all_at_exit();
  // The newer space first; the object left to the exit is not deleted.
  EXPECT_EQ(log, (std::vector<std::string>{"close gone", "delete gone", "close kept"}));
  EXPECT_EQ(NameSpaces::current(), nullptr);
  EXPECT_EQ(NameSpaces::find("STD"), nullptr);
  EXPECT_EQ(NameSpaces::find("OTHER"), nullptr);
}

}  // namespace
}  // namespace velmo
