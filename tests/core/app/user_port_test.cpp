#include "app/user_port.h"

#include <gtest/gtest.h>

#include "support/fake_port.h"

namespace tz {
namespace {

TEST(UserPort, MessageLinesMakesEveryLineBreakANewline) {
  struct Case {
    std::string text, shown;
  };
  for (const Case& c : std::vector<Case>{{"a\nb", "a\nb"},
                                         {"a\r\nb", "a\nb"},
                                         {"a\r\rb", "a\n\nb"},
                                         {"a\r\n\r\nb\r", "a\n\nb\n"},
                                         {"\r", "\n"},
                                         {"", ""}}) {
    EXPECT_EQ(MessageLines(c.text), c.shown) << c.text;
  }
}

TEST(UserPort, ForwardingPortPassesEveryKindOfMessageOn) {
  test::FakePort inner;
  ForwardingPort port(inner);
  port.Error("t", "e");
  port.Info("t", "i");
  port.Warning("t", "w");
  inner.answers = {Answer::No};
  EXPECT_EQ(port.Ask("t", "q", Buttons::YesNo, Icon::Question, Answer::Yes), Answer::No);
  ASSERT_EQ(inner.messages.size(), 4u);
  EXPECT_EQ(inner.messages[2].kind, test::Message::Warning);
  EXPECT_EQ(inner.messages[2].icon, Icon::Warning);
  EXPECT_EQ(inner.messages[2].text, "w");
  EXPECT_EQ(inner.messages[3].kind, test::Message::Question);
}

}  // namespace
}  // namespace tz
