#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "filters/registry/FilterRegistry.h"

namespace rv {
namespace {

TEST(Registry, EveryDeclarationIsConsistent) {
  std::set<std::string> stems, classes;
  for (const FilterDecl* f : AllFilters()) {
    SCOPED_TRACE(f->Stem);
    EXPECT_TRUE(stems.insert(f->Stem).second);
    EXPECT_TRUE(classes.insert(f->DialogClass).second);
    EXPECT_EQ(std::strncmp(f->DialogClass, "TForm", 5), 0);
    EXPECT_NE(f->Run, nullptr);
    EXPECT_GT(std::strlen(f->HistoryLabel), 0u);
    std::set<std::string> names;
    for (const ControlDecl& c : f->Controls) {
      SCOPED_TRACE(c.Name);
      EXPECT_TRUE(names.insert(c.Name).second);
      EXPECT_LE(c.Min, c.Default);
      EXPECT_LE(c.Default, c.Max);
      if (c.Kind == ControlKind::TrackBar && *c.Group) {
        const ControlDecl* link = f->Find(c.Group);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->Kind, ControlKind::LinkBox);
      }
    }
    // Exactly one radio button of each group is chosen by default.
    std::map<std::string, int> chosen;
    for (const ControlDecl& c : f->Controls)
      if (c.Kind == ControlKind::RadioButton) chosen[c.Group] += c.Default;
    for (const auto& [group, n] : chosen) EXPECT_EQ(n, 1) << group;
  }
  EXPECT_EQ(FindFilter("Contrast"), &*FindFilter("Contrast"));
  EXPECT_EQ(FindFilter("contrast"), nullptr);
}

TEST(Registry, ToneDialogsAsDesigned) {
  const FilterDecl* c = FindFilter("Contrast");
  ASSERT_NE(c, nullptr);
  EXPECT_STREQ(c->DialogCaption, "Opcje kontrastu");
  EXPECT_STREQ(c->HistoryLabel, "Kontrast");
  EXPECT_STREQ(c->MenuCaption, "Kontrast...");
  EXPECT_EQ(c->PreviewHalfSize, 400);
  EXPECT_STREQ(c->Find("TolerancjaG")->Caption, "Tolerancja G");
  EXPECT_EQ(FindFilter("Gamma")->PreviewHalfSize, 200);
  EXPECT_EQ(FindFilter("Gamma")->Find("CanalR")->Min, 1);
  EXPECT_EQ(FindFilter("Exposure")->Find("CanalR")->Min, 0);
  EXPECT_EQ(FindFilter("Exposure")->Find("RedukcjaB")->Min, 1);
  EXPECT_EQ(FindFilter("Negativ")->Find("CanalB")->Default, 255);
  EXPECT_FALSE(FindFilter("Hold")->HasTryb);
  EXPECT_FALSE(FindFilter("Fill")->HasTypeBox);
  EXPECT_STREQ(FindFilter("Exposure")->DialogCaption, "Opcje Ekspozycji");
}

TEST(FilterSettings, LinkedBarsMoveTogetherWhileTheirBoxIsTicked) {
  FilterSettings v(*FindFilter("Contrast"));
  EXPECT_EQ(v.Set("CanalG", 200), "");
  EXPECT_EQ(v.Get("CanalR"), 200);
  EXPECT_EQ(v.Get("CanalB"), 200);
  EXPECT_EQ(v.Get("TolerancjaR"), 127);  // the other row has its own link
  EXPECT_EQ(v.Set("Scal", 0), "");
  EXPECT_EQ(v.Set("CanalB", 5), "");
  EXPECT_EQ(v.Get("CanalR"), 200);
  EXPECT_EQ(v.Get("CanalB"), 5);
  // Ticking the box again brings green and blue to red's value.
  EXPECT_EQ(v.Set("Scal", 1), "");
  EXPECT_EQ(v.Get("CanalB"), 200);
  EXPECT_EQ(v.Get("CanalG"), 200);
}

TEST(FilterSettings, RangeErrorsNameTheControlAndItsRange) {
  FilterSettings v(*FindFilter("Contrast"));
  EXPECT_EQ(v.Set("CanalR", 300), "CanalR: 300 is outside 0..255");
  EXPECT_EQ(v.Set("CanalR", -1), "CanalR: -1 is outside 0..255");
  EXPECT_EQ(v.Get("CanalR"), 127);
  EXPECT_EQ(v.Set("Scal", 2), "Scal: 2 is outside 0..1");
  EXPECT_NE(v.Set("Nope", 1), "");
  FilterSettings g(*FindFilter("Gamma"));
  EXPECT_EQ(g.Set("RedukcjaR", 0), "RedukcjaR: 0 is outside 1..255");
}

TEST(FilterSettings, CommandRangesFollowTheTrackBarRules) {
  FilterSettings v(*FindFilter("Light"));
  v.Set("Scal", 0);
  v.SetRange("CanalR", 300, 400);  // minimum above the maximum: ignored, then the maximum moves
  EXPECT_EQ(v.Min("CanalR"), 0);
  EXPECT_EQ(v.Max("CanalR"), 400);
  v.SetRange("CanalG", 0, 50);
  EXPECT_EQ(v.Get("CanalG"), 50);  // position clamped
  v.SetPosition("CanalB", 999);
  EXPECT_EQ(v.Get("CanalB"), 255);
}

}  // namespace
}  // namespace rv
