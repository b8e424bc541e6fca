#include "lexicon/attributes/alias_set.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "att_fixture.h"
#include "lexicon/attributes/alias_file.h"

namespace velmo {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::AttTypeFixture;

class AliasTest : public AttTypeFixture {
 protected:
  void alias(std::string_view name, std::string_view text) {
    auto* v = new AttVec(type.get(), texts.parse(text));
    type->aliases().add(name, v);
    AttVec::drop_if_unclaimed(v);
  }
  std::string order() const {
    std::string names;
    for (const AliasSet::Alias* a : type->aliases().in_order()) names.append(names.empty() ? "" : " ").append(a->name);
    return names;
  }
  std::string abbreviated(std::string_view text) { return vec(text)->text(nullptr, true); }
};

TEST_F(AliasTest, TraversalRunsFromSpecificToGeneral) {
  alias("sg", "(+sg)");
  alias("noun", "((cat n))");
  alias("sg3", "(+sg (per 3))");
  alias("nsg3", "(+sg (per 3) (cat n))");
  alias("verb", "((cat v))");
  // Among the aliases ready together, the one defined first goes first.
  EXPECT_EQ(order(), "nsg3 noun sg3 sg verb");
}

TEST_F(AliasTest, LinksGoToTheNearestNeighbours) {
  alias("sg", "(+sg)");
  alias("nsg3", "(+sg (per 3) (cat n))");
  alias("sg3", "(+sg (per 3))");  // lands between the two
  const auto& nodes = type->aliases().in_order();
  ASSERT_EQ(nodes.size(), 3u);
  const AliasSet::Alias* nsg3 = nodes[0];
  const AliasSet::Alias* sg3 = nodes[1];
  const AliasSet::Alias* sg = nodes[2];
  EXPECT_EQ(sg3->name, "sg3");
  ASSERT_EQ(nsg3->more_general.size(), 1u);
  EXPECT_EQ(nsg3->more_general[0], sg3);  // the implied link to sg was dropped
  ASSERT_EQ(sg->more_specific.size(), 1u);
  EXPECT_EQ(sg->more_specific[0], sg3);
}

TEST_F(AliasTest, DuplicateNameKeepsTheFirst) {
  alias("sg3", "(+sg (per 3))");
  CaptureStderr();
  alias("sg3", "(-sg)");
  EXPECT_EQ(GetCapturedStderr(), "Duplicate definition of sg3\n");
  EXPECT_EQ(type->aliases().find("sg3")->text(), "(+sg (per 3))");
  EXPECT_EQ(type->aliases().size(), 1u);
}

TEST_F(AliasTest, NamesCompareExactly) {
  alias("sg3", "(+sg (per 3))");
  EXPECT_EQ(type->aliases().find("SG3"), nullptr);
}

TEST_F(AliasTest, AbbreviatedPrinting) {
  alias("sg3", "(+sg (per 3))");
  EXPECT_EQ(abbreviated("(+sg (per 3) (cat n))"), "(sg3 (cat n))");
  EXPECT_EQ(vec("(+sg (per 3) (cat n))")->text(), "(+sg (per 3) (cat n))");
  EXPECT_EQ(abbreviated("(+sg (per 1))"), "(+sg (per 1))");
}

TEST_F(AliasTest, EveryMatchingAliasIsWrittenMostSpecificFirst) {
  alias("sg", "(+sg)");
  alias("sg3", "(+sg (per 3))");
  EXPECT_EQ(abbreviated("(+sg (per 3) (cat n))"), "(sg3 sg (cat n))");
}

TEST_F(AliasTest, AliasesMixWithAttributesInText) {
  alias("sg3", "(+sg (per 3))");
  EXPECT_EQ(text_of("(sg3 (cat n))"), "(+sg (per 3) (cat n))");
  EXPECT_EQ(text_of("((per 1) sg3)"), "(+sg (per 1))");  // the alias fails silently on per
}

TEST_F(AliasTest, ClearRemovesEverything) {
  alias("sg3", "(+sg (per 3))");
  type->aliases().clear();
  EXPECT_TRUE(type->aliases().empty());
  EXPECT_EQ(abbreviated("(+sg (per 3))"), "(+sg (per 3))");
}

// ---- Binary alias files

class AliasFileTest : public AliasTest {
 protected:
  AliasFileTest() {
    char pattern[] = "/tmp/att_alias_XXXXXX";
    dir = mkdtemp(pattern);
    path = dir + "/aliases.dat";
  }
  ~AliasFileTest() override {
    std::remove(path.c_str());
    rmdir(dir.c_str());
  }
  void write_file(const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  std::string read_file() {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t load_into_fresh_type(std::unique_ptr<AttInterpreterList>& fresh) {
    fresh = std::make_unique<AttInterpreterList>("syn2");
    fresh->add(std::make_unique<BinAtt>("sg"));
    fresh->add(std::make_unique<SmIntAtt>("per"));
    fresh->add(std::make_unique<EnumAtt>("cat"));
    return load_alias_file(*fresh, path);
  }

  std::string dir;
  std::string path;
};

TEST_F(AliasFileTest, SaveAndLoadRoundTrip) {
  alias("sg", "(+sg)");
  alias("sg3", "(+sg (per 3))");
  alias("thing", "((root \"a thing\") (agr ((cat n))) (args (-sg)))");
  ASSERT_TRUE(save_alias_file(*type, path));
  AttInterpreterList copy("copy");
  for (int i = 0; i < type->count(); ++i) copy.add(type->attribute(i).clone());
  EXPECT_EQ(load_alias_file(copy, path), 3u);
  EXPECT_EQ(copy.aliases().find("thing")->text(), "((root \"a thing\") (agr ((cat n))) (args (-sg)))");
  EXPECT_EQ(copy.aliases().find("sg3")->text(), "(+sg (per 3))");
  std::string names;
  for (const AliasSet::Alias* a : copy.aliases().in_order()) names += a->name + ";";
  EXPECT_EQ(names, "sg3;sg;thing;");
}

TEST_F(AliasFileTest, RecordLayout) {
  alias("s", "(+sg (per 3))");
  ASSERT_TRUE(save_alias_file(*type, path));
  EXPECT_EQ(read_file(), std::string("\0\0\0\x06s\0\x00\x01\x03\x0b", 10));
}

TEST_F(AliasFileTest, TruncatedFileKeepsTheCompleteRecords) {
  const std::string good("\0\0\0\x04s\0\x00\x0b", 8);
  write_file(good + std::string("\0\0", 2));
  std::unique_ptr<AttInterpreterList> fresh;
  CaptureStderr();
  EXPECT_EQ(load_into_fresh_type(fresh), 1u);
  EXPECT_EQ(GetCapturedStderr(), "The alias file " + path + " is truncated\n");
  EXPECT_EQ(fresh->aliases().find("s")->text(), "(+sg)");
}

TEST_F(AliasFileTest, RecordLongerThanTheFileIsRefused) {
  write_file(std::string("\xff\xff\xff\xf0s\0\x00\x0b", 8));
  std::unique_ptr<AttInterpreterList> fresh;
  CaptureStderr();
  EXPECT_EQ(load_into_fresh_type(fresh), 0u);
  EXPECT_EQ(GetCapturedStderr(), "The alias file " + path + " has a record of 4294967280 bytes, beyond its end\n");
}

TEST_F(AliasFileTest, CorruptRecordsAreSkipped) {
  const std::string no_nul("\0\0\0\x02sg", 6);
  const std::string bad_index("\0\0\0\x04t\0\x03\x04", 8);  // index 3 of 3 attributes
  const std::string unterminated("\0\0\0\x03u\0\x00", 7);
  const std::string good("\0\0\0\x04v\0\x00\x04", 8);
  write_file(no_nul + bad_index + unterminated + good);
  std::unique_ptr<AttInterpreterList> fresh;
  CaptureStderr();
  EXPECT_EQ(load_into_fresh_type(fresh), 1u);
  EXPECT_EQ(GetCapturedStderr(), "The alias file " + path + " has a record without a name\n" + "The alias file " +
                                     path + " has a corrupt vector for the alias t\n" + "The alias file " + path +
                                     " has a corrupt vector for the alias u\n");
  EXPECT_EQ(fresh->aliases().find("v")->text(), "(+sg)");
}

TEST_F(AliasFileTest, MissingFileIsReported) {
  std::unique_ptr<AttInterpreterList> fresh;
  CaptureStderr();
  EXPECT_EQ(load_into_fresh_type(fresh), 0u);
  EXPECT_EQ(GetCapturedStderr(), "The file " + path + " cannot be opened\n");
}

}  // namespace
}  // namespace velmo
