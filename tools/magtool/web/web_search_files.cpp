#include "magtool/web/web_search_files.h"

namespace {

constexpr std::string_view PAGE = R"HTML(<div id="search">
<form action="search.html" method="get">
<input type="search" name="q" id="query" aria-label="Search the issue">
<button type="submit">Search</button>
</form>
<p id="summary"></p>
<ol id="results"></ol>
</div>
)HTML";

}  // namespace

std::string_view WebSearchPage() { return PAGE; }
