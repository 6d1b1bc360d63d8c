// The player a page carries: the music list in its order, the other
// tunes apart, titles and names escaped, the script's files from the root.
#include "magtool/web/web_player.h"

#include <gtest/gtest.h>

TEST(WebPlayer, ListsTheTunesEscapedAndReachesTheRoot) {
  const WebMusic music{{{"DATA/msx/a.xm", "music/a.ogg", "Rock & <Roll>"},
                        {"DATA/msx/b\"q.xm", "music/b_q.ogg", "b\"q.xm"}},
                       {1, 0, 1}};
  const std::string nav = PlayerNav(music, "../");
  for (const char* part : {
           "data-root=\"../\"",
           "<optgroup label=\"Playlist\" data-list>\n<option value=\"L0\" "
           "data-member=\"DATA/msx/b&quot;q.xm\" "
           "data-src=\"music/b_q.ogg\">b&quot;q.xm</option>\n<option value=\"L1\" "
           "data-member=\"DATA/msx/a.xm\" "
           "data-src=\"music/a.ogg\">Rock &amp; &lt;Roll&gt;</option>\n<option value=\"L2\"",
       }) {
    EXPECT_NE(nav.find(part), std::string::npos) << part << "\n" << nav;
  }
  EXPECT_EQ(nav.find("More tunes"), std::string::npos) << "every tune is on the list";
  EXPECT_NE(PlayerHead("../../").find("src=\"../../player.js\""), std::string::npos);
}
