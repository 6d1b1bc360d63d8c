"use strict";
// The reader's search: text is compared code unit by code unit, as the
// reader compares its Windows-1252 bytes, with only ASCII letters folded.

function SearchLower(code) {
  return code >= 65 && code <= 90 ? code + 32 : code;
}

function SearchContains(text, query) {
  if (text === null || query === "") return 0;
  for (let at = 0; at + query.length <= text.length; ++at) {
    let i = 0;
    while (i < query.length &&
           SearchLower(text.charCodeAt(at + i)) === SearchLower(query.charCodeAt(i))) ++i;
    if (i === query.length) return 1;
  }
  return 0;
}

// "t:", "k:" or "a:" look in one field only; a plain query scores one for
// each field it occurs in.
function SearchScore(entry, query) {
  const prefix = query.slice(0, 2), rest = query.slice(2);
  if (prefix === "t:") return SearchContains(entry.title, rest);
  if (prefix === "k:") return SearchContains(entry.keywords, rest);
  if (prefix === "a:") return SearchContains(entry.author, rest);
  return SearchContains(entry.title, query) + SearchContains(entry.author, query) +
         SearchContains(entry.keywords, query);
}

// Newest first: the list's last article leads.
function SearchHits(index, query) {
  const hits = [];
  for (let i = index.entries.length - 1; i >= 0; --i) {
    const score = SearchScore(index.entries[i], query);
    if (score > 0) hits.push({ entry: index.entries[i], score: score });
  }
  return hits;
}

function SearchShow() {
  const query = new URLSearchParams(window.location.search).get("q");
  if (query === null) return;
  document.getElementById("query").value = query;
  const hits = SearchHits(SEARCH_INDEX, query);
  const list = document.getElementById("results");
  for (const hit of hits) {
    const link = document.createElement("a");
    link.href = hit.entry.page;
    link.textContent = hit.entry.title !== null ? hit.entry.title : hit.entry.path;
    const score = document.createElement("span");
    score.className = "score";
    score.textContent = " score " + hit.score;
    const item = document.createElement("li");
    item.append(link, score);
    list.append(item);
  }
  document.getElementById("summary").textContent = hits.length + " found for \u201c" +
      query + "\u201d (from " + SEARCH_INDEX.files + " files)";
}

if (typeof document !== "undefined") SearchShow();
