#include "magtool/web/player_assets.h"

const char* const PLAYER_STYLE = R"CSS(#player {
  position: fixed; right: .5em; bottom: .5em; z-index: 10;
  display: flex; flex-wrap: wrap; gap: .3em; align-items: center;
  max-width: calc(100% - 1em); padding: .3em .5em; border-radius: .4em;
  background: rgba(0, 0, 0, .8); color: #eee; font: 14px/1.2 sans-serif;
}
#player button, #player select {
  font: inherit; color: #eee; background: #333; border: 1px solid #777; border-radius: .3em;
}
#player button { min-width: 2.2em; padding: .2em .4em; cursor: pointer; }
#player button:hover, #player button:focus-visible { background: #555; }
#player select { max-width: 14em; }
#player .now { max-width: 16em; overflow: hidden; text-overflow: ellipsis; white-space: nowrap; }
[data-tune] { cursor: pointer; }
@media print { #player { display: none; } }
)CSS";
