// Names and text of the web site: where each article and picture of the
// issue lands in the site, links from one page to another as relative paths,
// and the engine's 8-bit text made safe for HTML.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "DATA/arts/sub/name.art" -> "sub/name.html", lower case so that every
// spelling of a member lands on one page; other folders keep their place
// below DATA/.
std::string PageName(std::string_view articlePath);

// "DATA/pictures/x.gif*30*0" -> "pictures/x.gif.png": the speeds of a
// scrolling picture dropped, always a PNG.
std::string PictureName(std::string_view picturePath);

// A name from the issue made a relative path of the site: every character a
// URL path would not keep as it is becomes '_', and so do "." and ".." parts.
std::string SiteName(std::string_view name);

// target (a name from the site's root) as seen from page.
std::string Relative(std::string_view page, std::string_view target);

// Windows-1252 text as escaped UTF-8, for element text and attribute values.
std::string HtmlText(std::string_view text);

// A title box text: its colour escapes ("\RRGGBB ") left out, then HtmlText.
std::string PlainAlt(std::string_view text);

std::string CssColour(uint32_t colour);

// value as a CSS percentage of whole ("56.5625%"), for boxes that scale with
// the screen and stand to the pixel at its full size.
std::string CssShare(double value, int32_t whole);
