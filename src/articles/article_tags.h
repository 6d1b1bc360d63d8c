// The tags of the article markup: matched by prefix after "<#" and applied to
// the parser's state or the article.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "articles/article.h"
#include "articles/parser_state.h"

// Fetches the current face, size and style from the article's font cache
// when a tag has changed them since the last fetch.
void ParserFetchFont(Article& article, ParserState& state);

// Handles the tag whose "<#" is at line[at]. Returns the index behind the
// tag's "#>", or npos when the tag ends the line (a GOTO to a new place, an
// HLINE) and left what follows it in state.rest.
size_t ArticleTag(Article& article, ParserState& state, const std::string& line, size_t at);

// What a tag's name must begin with for the parser to know it, such as
// "BOLD#>" or "LINK:"; a tag matching none is skipped (see Article's notes).
std::vector<std::string> ArticleTagLiterals();
