#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"

namespace {
std::vector<std::string> Lines(const TStrings& s) { return s.ToVector(); }
using V = std::vector<std::string>;
}  // namespace

TEST(StringList, TextSplitsOnEveryLineBreakKind) {
  TStringList l;
  l.SetText("a\r\nb\nc\rd\n\ne");
  EXPECT_EQ(Lines(l), (V{"a", "b", "c", "d", "", "e"}));
  l.SetText("only\n");
  EXPECT_EQ(Lines(l), (V{"only"}));  // a final break adds no empty line
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
  l.SetText("x\r\ny");
  EXPECT_EQ(l.Text(), "x\ny\n");
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList l;
  l.Add("a");
  try {
    (void)l[3];
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Insert(2, "x"), EListError);
  l.Insert(1, "b");  // Count itself is a valid insert position
  EXPECT_EQ(Lines(l), (V{"a", "b"}));
}

TEST(StringList, IndexOfIgnoresCaseUnlessAsked) {
  TStringList l;
  l.Add("Alpha");
  l.Add("beta");
  EXPECT_EQ(l.IndexOf("ALPHA"), 0);
  EXPECT_EQ(l.IndexOf("gamma"), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("ALPHA"), -1);
  EXPECT_EQ(l.IndexOf("Alpha"), 0);
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  l.SetText("Width=10\nname=a=b\nnovalue");
  EXPECT_EQ(l.Values("WIDTH"), "10");
  EXPECT_EQ(l.Values("name"), "a=b");  // the value is everything after the first '='
  EXPECT_EQ(l.Names(1), "name");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.IndexOfName("novalue"), -1);
  l.SetValue("width", "20");
  EXPECT_EQ(l[0], "width=20");
  l.SetValue("width", "");
  EXPECT_EQ(l.IndexOfName("width"), -1);
  l.SetValue("new", "1");
  EXPECT_EQ(l[l.Count() - 1], "new=1");
}

TEST(StringList, SortedListsAndDuplicates) {
  TStringList l;
  l.SetSorted(true);
  l.Add("pear");
  l.Add("Apple");
  l.Add("fig");
  EXPECT_EQ(Lines(l), (V{"Apple", "fig", "pear"}));
  EXPECT_EQ(l.Add("APPLE"), 0);  // dupIgnore: the existing index, nothing added
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(l.IndexOf("PEAR"), 2);
  EXPECT_THROW(l.Insert(0, "x"), EListError);
  EXPECT_THROW(l.Set(0, "x"), EListError);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add("fig"), EListError);
  l.SetDuplicates(dupAccept);
  l.Add("fig");
  EXPECT_EQ(Lines(l), (V{"Apple", "fig", "fig", "pear"}));
  int at = -1;
  EXPECT_FALSE(l.Find("grape", at));
  EXPECT_EQ(at, 3);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList l;
  l.Add("plain");
  l.Add("two words");
  l.Add("say \"hi\"");
  l.Add("");
  EXPECT_EQ(l.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"\"");
  TStringList back;
  back.SetCommaText(l.CommaText());
  EXPECT_EQ(Lines(back), Lines(l));
  back.SetCommaText("a, b c,");
  EXPECT_EQ(Lines(back), (V{"a", "b", "c", ""}));
}

TEST(StringList, ChangeEventsFireOncePerUpdate) {
  TStringList l;
  int changes = 0;
  l.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &l);
    ++changes;
  };
  l.Add("a");
  EXPECT_EQ(changes, 1);
  l.BeginUpdate();
  l.Add("b");
  l.Add("c");
  l.BeginUpdate();
  l.Delete(0);
  l.EndUpdate();
  EXPECT_EQ(changes, 1);
  l.EndUpdate();
  EXPECT_EQ(changes, 2);
  l.BeginUpdate();
  l.EndUpdate();  // nothing changed: no event
  EXPECT_EQ(changes, 2);
}

TEST(StringList, StreamsAreUtf8WithCrLf) {
  TStringList l;
  l.Add("声道");
  l.Add("b");
  TMemoryStream m;
  l.SaveToStream(m);
  std::string bytes(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size()));
  EXPECT_EQ(bytes, "声道\r\nb\r\n");
  TStringStream withBom("\xEF\xBB\xBFx\r\ny");
  TStringList r;
  r.LoadFromStream(withBom);
  EXPECT_EQ(Lines(r), (V{"x", "y"}));
}

TEST(StringList, AssignAndAddStringsCopyObjects) {
  TStringList a;
  int tag = 0;
  a.AddObject("one", &tag);
  TStringList b;
  b.Add("old");
  b.Assign(&a);
  EXPECT_EQ(Lines(b), (V{"one"}));
  EXPECT_EQ(b.Objects(0), &tag);
  b.AddStrings(b);  // adding a list to itself doubles it
  EXPECT_EQ(Lines(b), (V{"one", "one"}));
  b.Move(1, 0);
  b.Exchange(0, 1);
  EXPECT_EQ(b.IndexOfObject(&tag), 0);
}
