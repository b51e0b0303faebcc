// The markup labels' text: bold runs between <B> and </B>, everything else as it stands.
#include <gtest/gtest.h>

#include "common/Text.h"
#include "ui/Markup.h"

namespace kq::ui {
namespace {

TEST(Markup, SplitsTheTextIntoBoldAndPlainRuns) {
  struct Case {
    const char16_t* markup;
    std::vector<TextRun> runs;
  };
  const Case cases[] = {
      {u"<B>Note:</B> These options", {{u"Note:", true}, {u" These options", false}}},
      {u"Press the <b>Help </b>button",
       {{u"Press the ", false}, {u"Help ", true}, {u"button", false}}},
      {u"plain", {{u"plain", false}}},
      {u"", {}},
      {u"<B></B><B>x</B>", {{u"x", true}}},
      {u"<B>open to the end", {{u"open to the end", true}}},
      {u"a < b <i>c</i> <B", {{u"a < b <i>c</i> <B", false}}},
      {u"</B>x", {{u"x", false}}},
      {u"<</B>/B>", {{u"</B>", false}}},  // a tag left when one inside it is taken out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.markup));
    auto runs = ParseMarkup(c.markup);
    EXPECT_EQ(runs, c.runs);
  }
  EXPECT_EQ(PlainText(ParseMarkup(u"<B>Note:</B> These <B>Help </B>button")),
            u"Note: These Help button");
}

}  // namespace
}  // namespace kq::ui
