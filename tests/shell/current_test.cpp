#include "shell/support/current.h"

#include <gtest/gtest.h>

#include <memory>

#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

struct Widget : CanBeCurrent {};
struct Gadget : NamedObject {};

int forgotten = 0;
void count_forget() { ++forgotten; }

TEST(CurrentTest, DeletingTheObjectClearsEverySettingThatNamesIt) {
  Current<Widget> first;
  Current<Widget> second(&count_forget);
  Current<Widget> other;
  Widget kept;
  forgotten = 0;
  {
    auto widget = std::make_unique<Widget>();
    first.set(widget.get());
    second.set(widget.get());
    other.set(&kept);
    EXPECT_EQ(first.get(), widget.get());
  }
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(second.get(), nullptr);
  EXPECT_EQ(forgotten, 1);
  EXPECT_EQ(other.get(), &kept);
}

TEST(CurrentTest, ACopyIsNotCurrentAndItsDeletionLeavesTheSetting) {
  Current<Widget> setting(&count_forget);
  Widget original;
  setting.set(&original);
  forgotten = 0;
  { Widget copy = original; }
  EXPECT_EQ(setting.get(), &original);
  setting.clear();
  EXPECT_EQ(forgotten, 0);  // clearing by hand runs no hook
}

TEST(CurrentTest, NamedObjectsLeaveTheirSettingsWithTheirNameSpace) {
  NameSpaces::delete_all();
  NameSpaces::set_current("STD");
  Current<Gadget> setting;
  setting.set(NameSpaces::define_owned("gadget", std::make_unique<Gadget>(), "Gadget"));
  ASSERT_NE(setting.get(), nullptr);
  NameSpaces::delete_all();
  EXPECT_EQ(setting.get(), nullptr);
}

}  // namespace
}  // namespace velmo
