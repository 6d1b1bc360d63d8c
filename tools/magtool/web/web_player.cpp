#include "magtool/web/web_player.h"

#include "magtool/web/site_assets.h"

namespace {

// Text and attribute values alike.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Button(const char* action, const char* label, const char* symbol,
                   const char* more = "") {
  return std::string("<button type=\"button\" data-do=\"") + action + "\" title=\"" + label +
         "\" aria-label=\"" + label + "\"" + more + ">" + symbol + "</button>";
}

// value names the choice: "L3" the music list's fourth entry, "T5" the sixth tune.
std::string Option(const WebTune& tune, const std::string& value) {
  return "<option value=\"" + value + "\" data-member=\"" + Escaped(tune.member) +
         "\" data-src=\"" + Escaped(tune.file) + "\">" + Escaped(tune.title) + "</option>";
}

}  // namespace

std::optional<std::string> WriteWebPlayer(const SiteFolder& site) {
  for (const auto& [name, text] :
       {std::pair{"player.js", PLAYER_SCRIPT}, std::pair{"player.css", PLAYER_STYLE}}) {
    std::string error;
    if (!WriteSiteBytes(site, name, text, error)) return error;
  }
  return std::nullopt;
}

std::string PlayerHead(const std::string& root) {
  return "<link rel=\"stylesheet\" href=\"" + Escaped(root) + "player.css\">\n<script src=\"" +
         Escaped(root) + "player.js\" defer></script>\n";
}

std::string PlayerNav(const WebMusic& music, const std::string& root) {
  std::string html = "<nav id=\"player\" aria-label=\"Music\" data-root=\"" + Escaped(root) +
                     "\">\n" + Button("prev", "Previous tune", "&#xAB;") +
                     Button("play", "Play or pause", "&#x25B6;", " aria-pressed=\"false\"") +
                     Button("next", "Next tune", "&#xBB;") +
                     Button("silence", "Silence", "&#x25A0;") +
                     "\n<select aria-label=\"Tune\">\n<optgroup label=\"Playlist\" data-list>\n";
  std::vector<bool> listed(music.tunes.size(), false);
  for (size_t i = 0; i < music.playlist.size(); ++i) {
    listed[music.playlist[i]] = true;
    html += Option(music.tunes[music.playlist[i]], "L" + std::to_string(i)) + "\n";
  }
  html += "</optgroup>\n";
  std::string others;
  for (size_t i = 0; i < music.tunes.size(); ++i) {
    if (!listed[i]) others += Option(music.tunes[i], "T" + std::to_string(i)) + "\n";
  }
  if (!others.empty()) html += "<optgroup label=\"More tunes\">\n" + others + "</optgroup>\n";
  return html + "</select>\n<span class=\"now\" aria-live=\"polite\"></span>\n</nav>\n";
}
