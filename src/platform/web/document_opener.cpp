#include "platform/document_opener.h"

#include <emscripten.h>

// A new tab, never this page: a web or mail address as it is, any other argument the
// document that `magtool web` copied into the site's files/ folder, named as
// it names it (each part in letters, digits, '.', '_' and '-'; "." and ".."
// made "_"), so that no argument leads outside the site. "noopener" keeps the
// new page from reaching back into this one.
// The body is JavaScript, which clang-format would take for C++.
// clang-format off
EM_JS(void, OpenInNewTab, (const char* argument), {
  const text = UTF8ToString(argument);
  const lower = text.toLowerCase();
  let address = text;
  if (!lower.startsWith("http:" + "//") && !lower.startsWith("https:" + "//") &&
      !lower.startsWith("mailto:")) {
    const backslash = String.fromCharCode(92);  // a literal one would break the build's metadata
    const unsafe = new RegExp("[^A-Za-z0-9._-]", "g");
    const parts = text.split(backslash).join("/").split("/").filter(part => part !== "").map(
        part => part === "." || part === ".." ? "_" : part.replace(unsafe, "_"));
    address = "files/" + (parts.length ? parts.join("/") : "_");
  }
  window.open(address, "_blank", "noopener");
});
// clang-format on

void OpenDocument(const std::string& argument) { OpenInNewTab(argument.c_str()); }

void ReapOpeners() {}
