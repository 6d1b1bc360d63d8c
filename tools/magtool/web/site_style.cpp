#include "magtool/web/site_assets.h"

// The frame stays a screen wide and centred; the strips stick to the
// window's top and bottom while the article scrolls between them. A line's
// strut puts its baseline at its bottom, where the reader draws it.
std::string_view SiteStyle() {
  return R"css(html{background:#000;color:#e0e0e0;font-family:sans-serif}
body{margin:0 auto;width:640px}
header{position:sticky;top:0;z-index:2}
footer{position:sticky;bottom:0;z-index:2}
.strip{position:relative;width:640px}
.btn{position:absolute;display:block}
.btn:focus-visible,.btn:hover{outline:1px dotted #fff}
.bar{position:absolute;background-repeat:no-repeat}
.tools{display:flex;justify-content:space-between;align-items:center;background:#000;font-size:13px;padding:2px 6px}
.tools a{color:#e0e0e0}
.go{display:flex;gap:10px;white-space:nowrap}
.tools #player{position:static;padding:0;background:none;gap:2px;flex-wrap:nowrap;font-size:11px}
.tools #player select{max-width:10em}
.tools #player .now{display:none}
main{display:flow-root;background-size:100% 100%}
.art{display:flow-root;padding-bottom:16px}
.l{white-space:pre;width:max-content;overflow:visible;line-height:0}
h2.l,h3.l{margin-bottom:0;font:inherit}
.l::before{content:"";display:inline-block;height:inherit}
.l.j{white-space:nowrap;text-align:justify;text-align-last:justify}
.l.j2{text-justify:inter-character}
.l a{text-decoration:none}
.l a:hover,.l a:focus-visible{color:var(--active)}
.l a:visited{color:var(--visited)}
.p,.p a,.p img{display:block}
.pic{position:relative}
.pic .over{position:absolute;left:0;top:0;visibility:hidden}
.pic:hover .over,.pic:focus-visible .over{visibility:visible}
hr.r{border:0;margin-bottom:0;margin-right:0;transform-origin:0 0}
.scroll{animation:scroll linear infinite}
@keyframes scroll{to{background-position:var(--tx) var(--ty)}}
.vh{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0)}
#search{padding:12px 24px}
#search a{color:#ffd040}
#search .score{color:#80c0ff}
#cover{display:none}
.cover #cover{display:flex;position:fixed;inset:0;z-index:9;background:#000;flex-direction:column;align-items:center;justify-content:center;gap:12px}
.cover body>:not(#cover){visibility:hidden}
#cover img{max-width:100vw;max-height:calc(100vh - 4em);object-fit:contain}
#cover p{display:flex;gap:12px;margin:0}
#cover button,#cover a{font:18px/24px sans-serif;padding:6px 24px;border:0}
#cover a{background:#ffd040;color:#000;text-decoration:none}
)css";
}
