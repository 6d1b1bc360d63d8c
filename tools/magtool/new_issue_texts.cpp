#include "magtool/new_issue_texts.h"

#include <string_view>

#include "resources/issue_name.h"

namespace {

constexpr std::string_view SETTINGS =
    "<#SCROLL:1:1:1:1#><#JLIMIT:584#><#ACLC:FFD040#><#VISLC:C8A0F0#>\n"
    "<#FACENAME:DATA/fonts/serif.ttf#><#SIZE:24:24#><#COLOR:FFD040#>";
constexpr std::string_view BODY = "<#FACENAME:DATA/fonts/arial.ttf#><#SIZE:12:12#><#COLOR:E0E0E0#>";

// A line of the two-column lists: what, and at the tab stop what it is.
std::string Entry(std::string_view what, std::string_view meaning) {
  return "<#GOTO:+16:0#>" + std::string(what) + "<#GOTO:220:+0#>" + std::string(meaning) + "\n";
}

std::string Link(std::string_view target, std::string_view alt, std::string_view label,
                 std::string_view meaning) {
  return Entry("<#COLOR:5CE0D0#><#LINK:" + std::string(target) + ":ALT:\\80C0FF " +
                   std::string(alt) + "#>" + std::string(label) + "<#ENDL#><#COLOR:E0E0E0#>",
               meaning);
}

std::string Heading(std::string_view text) {
  return "<#COLOR:80C0FF#><#BOLD#>" + std::string(text) + "<#NBOLD#><#COLOR:E0E0E0#>\n";
}

// The article's head: title, author and keywords, then the page's heading.
std::string Head(const std::string& title, std::string_view keywords, const std::string& heading) {
  return "<#TITLE#>" + title + "<#END#>\n<#AUTHOR#>The editors<#END#>\n<#KEYWORDS#>" +
         std::string(keywords) + "<#END#>\n" + std::string(SETTINGS) + heading + "\n" +
         std::string(BODY) + "<#HLINE#>\n";
}

std::string Contents(const std::string& name) {
  return Head("\\FFD040 " + name + " \\E0E0E0 - contents", "contents index welcome", name) +
         "<#ABREAK_ON1#>Welcome to " + name +
         ", a magazine you read on the screen. Turn the pages with the mouse wheel or the "
         "keys, and follow the links in colour.\n<#ABREAK_OFF#>" +
         Heading("In this issue") +
         Link("ART:DATA/arts/help.art", "How to read the magazine", "How to read",
              "keys, buttons and the mouse") +
         Link("ART:DATA/arts/mmenu.art", "All articles of the issue", "The main menu",
              "every article at a glance") +
         Link("MSX:DATA/msx/tune1.xm", "Play \\E0E0E0 Harbour Lights", "Some music",
              "the second tune, Harbour Lights") +
         Heading("For the editor") +
         Link("ART:DATA/arts/editor.art", "What to edit next", "Start here",
              "what to edit next, and where") +
         "\n";
}

std::string Editor(const std::string& name) {
  return Head("\\FFD040 " + name + " \\E0E0E0 - for the editor", "editor editing docs check",
              "For the editor") +
         "<#ABREAK_ON1#>magtool new made " + name +
         " as a start: replace its words and pictures with yours. The folder DATA/ holds "
         "everything the reader shows:\n<#ABREAK_OFF#>" +
         Entry("DATA/arts/", "the articles (docs/markup.md)") +
         Entry("configs/search.lst", "the articles the search finds") +
         Entry("configs/issue.txt", "the name in the window's caption") +
         Entry("DATA/panels/", "panels and covers (docs/panels.md)") +
         Entry("DATA/msx/", "the tunes (docs/music.md)") +
         "<#FACENAME:DATA/fonts/headline.bmf#>A BITMAP FONT FOR HEADLINES\n" + std::string(BODY) +
         "<#ABREAK_ON1#>The line above is set in DATA/fonts/headline.bmf, a font drawn as a "
         "picture (docs/fonts.md). Read it while you write it: diskmag --issue FOLDER --watch "
         "--start "
         "index.art shows every file you save at once. Run magtool check on the folder before "
         "you pack it into data.rs; docs/README.md shows the whole way.\n<#ABREAK_OFF#>\n";
}

std::string Help(const std::string& name) {
  return Head("\\FFD040 How to read \\E0E0E0 " + name,
              "help keys buttons mouse reading search music", "How to read") +
         Heading("The keys") + Entry("Escape", "close the magazine; press it again to leave") +
         Entry("Up, Down", "scroll by one line") +
         Entry("Page Up, Page Down", "turn a page back or forward") +
         Entry("Home, End", "the first or the last page") +
         Entry("Tab, Enter", "select a link, follow it") +
         Entry("Backspace", "back to the article you came from") +
         Entry("F1, F2", "this help, the search") + Entry("F4", "change the way pages turn") +
         Entry("F5, F6, F8", "previous tune, next tune, silence") + Heading("The mouse") +
         Entry("Left button", "follow a link, press a button") +
         Entry("Right button", "go back, like Backspace") + Entry("Wheel", "scroll the text") +
         Heading("The buttons") + Entry("EXIT, HELP", "close the magazine, this page") +
         Entry("MENU, INDEX", "the main menu, the contents") +
         Entry("BACK", "the article you read before") + Entry("Arrows", "scroll a line or a page") +
         Entry("Arrows with a note", "previous and next tune") + "\n" +
         Link("ART:DATA/arts/index.art", "The contents page", "To the contents", "") + "\n";
}

std::string Menu(const std::string& name) {
  return Head("\\FFD040 " + name + " \\E0E0E0 - main menu", "menu articles overview", "Main menu") +
         Heading("The magazine") +
         Link("ART:DATA/arts/index.art", "The contents page", "Contents",
              "the first page of the issue") +
         Link("ART:DATA/arts/help.art", "How to read the magazine", "How to read",
              "keys, buttons and the mouse") +
         Link("ART:DATA/arts/editor.art", "What to edit next", "For the editor",
              "what to edit next, and where") +
         "\n<#COLOR:80C0FF#>Each new article gets a line here and in the contents.\n";
}

}  // namespace

std::vector<IssueText> NewIssueTexts(const std::string& name) {
  return {
      {"DATA/arts/index.art", Contents(name)},
      {"DATA/arts/help.art", Help(name)},
      {"DATA/arts/mmenu.art", Menu(name)},
      {"DATA/arts/editor.art", Editor(name)},
      {ISSUE_FILE_PATH, ISSUE_NAME_KEY + name + "\n"},
      {"DATA/configs/msx.txt", "2\nDATA/msx/tune1.xm\nDATA/msx/beg.xm\n"},
      {"DATA/configs/search.lst",
       "DATA/arts/index.art\nDATA/arts/help.art\nDATA/arts/mmenu.art\nDATA/arts/editor.art\n"},
  };
}
