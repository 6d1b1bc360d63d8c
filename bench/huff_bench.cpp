#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "magtool/huff_encode.h"
#include "resources/huff.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t MEMBER_SIZE = 1 << 20;

// Deterministic English-like article text: sentences of common words, with
// punctuation, paragraph breaks and the odd formatting tag.
Bytes ArticleText() {
  static const char* const WORDS[] = {
      "the",    "of",      "and",    "to",     "in",       "a",      "is",     "that",
      "for",    "it",      "as",     "was",    "with",     "be",     "by",     "on",
      "not",    "he",      "this",   "are",    "or",       "his",    "from",   "at",
      "which",  "but",     "have",   "an",     "had",      "they",   "you",    "were",
      "their",  "one",     "all",    "we",     "can",      "her",    "has",    "there",
      "magazine", "disk",  "reader", "screen", "music",    "party",  "demo",   "scene",
      "editor", "article", "pixel",  "sound",  "graphics", "code",   "group",  "release",
      "Amiga",  "machine", "memory", "version", "interview", "review", "issue", "letters"};
  static const char* const TAGS[] = {"<#COLOR:FFFFFF#>", "<#COLOR:FF8000#>", "<#FONT:2#>",
                                     "<#CENTER#>"};
  std::mt19937 rng(1995);
  std::string text;
  bool sentenceStart = true;
  while (text.size() < MEMBER_SIZE) {
    std::string word = WORDS[rng() % std::size(WORDS)];
    if (sentenceStart) word[0] = static_cast<char>(std::toupper(word[0]));
    text += word;
    sentenceStart = rng() % 12 == 0;
    if (sentenceStart) {
      text += ". ";
      if (rng() % 6 == 0) text += "\n\n";
      if (rng() % 10 == 0) text += TAGS[rng() % std::size(TAGS)];
    } else {
      text += rng() % 15 == 0 ? ", " : " ";
    }
  }
  text.resize(MEMBER_SIZE);
  return Bytes(text.begin(), text.end());
}

Bytes RandomBytes() {
  std::mt19937 rng(7);
  Bytes data(MEMBER_SIZE);
  for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
  return data;
}

void DecodeHuff(benchmark::State& state, const Bytes& data) {
  const Bytes stream = HuffEncode(data.data(), data.size());
  Bytes output(data.size());
  for (auto _ : state) {
    const size_t n = HuffDecode(stream.data(), stream.size(), output.data(), output.size());
    if (n != data.size()) state.SkipWithError("wrong length");
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  state.counters["ratio"] = double(stream.size()) / double(data.size());
}

void BM_HuffDecodeText(benchmark::State& state) { DecodeHuff(state, ArticleText()); }
void BM_HuffDecodeRandom(benchmark::State& state) { DecodeHuff(state, RandomBytes()); }

void BM_ZlibUncompressText(benchmark::State& state) {
  const Bytes data = ArticleText();
  Bytes packed(compressBound(data.size()));
  uLongf packedSize = packed.size();
  if (compress2(packed.data(), &packedSize, data.data(), data.size(), 9) != Z_OK) {
    state.SkipWithError("compress2 failed");
    return;
  }
  Bytes output(data.size());
  for (auto _ : state) {
    uLongf n = output.size();
    if (uncompress(output.data(), &n, packed.data(), packedSize) != Z_OK) {
      state.SkipWithError("uncompress failed");
    }
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  state.counters["ratio"] = double(packedSize) / double(data.size());
}

void BM_HuffEncodeText(benchmark::State& state) {
  const Bytes data = ArticleText();
  for (auto _ : state) benchmark::DoNotOptimize(HuffEncode(data.data(), data.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}

// A small member: the cost of building the tree and the table shows here.
void BM_HuffDecodeSmallText(benchmark::State& state) {
  Bytes data = ArticleText();
  data.resize(2048);
  DecodeHuff(state, data);
}

}  // namespace

BENCHMARK(BM_HuffDecodeText);
BENCHMARK(BM_HuffDecodeRandom);
BENCHMARK(BM_ZlibUncompressText);
BENCHMARK(BM_HuffEncodeText);
BENCHMARK(BM_HuffDecodeSmallText);

BENCHMARK_MAIN();
