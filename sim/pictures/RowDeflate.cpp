#include "sim/pictures/RowDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace lunadoze::sim {
namespace {

using Code = RowDeflate::Code;

constexpr uint32_t reversed(uint32_t code, uint32_t count) {
  uint32_t result = 0;
  for (uint32_t i = 0; i < count; ++i) result |= ((code >> i) & 1) << (count - 1 - i);
  return result;
}

constexpr uint16_t kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                      33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;
constexpr size_t kMaxDistance = 32768;
constexpr uint32_t kEndOfBlock = 256;
constexpr size_t kSymbols = 286;
constexpr size_t kDistances = 30;
constexpr size_t kLengthCodes = 19;
// The extra bits of the code-length symbols: 16 repeats the last length, 17 and 18 are zeros.
constexpr uint32_t kLengthCodeExtra[kLengthCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
// The order in which the lengths of the code-length code are sent.
constexpr uint8_t kLengthCodeOrder[kLengthCodes] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                    11, 4,  12, 3, 13, 2, 14, 1, 15};

// A length's symbol and extra bits.
struct LengthSymbol {
  uint16_t symbol = 0;
  uint16_t extra = 0;
  uint8_t extraCount = 0;
};

constexpr auto kLengthSymbols = [] {
  std::array<LengthSymbol, kMaxMatch + 1> symbols{};
  size_t index = 0;
  for (size_t length = kMinMatch; length <= kMaxMatch; ++length) {
    while (index + 1 < std::size(kLengthBase) && kLengthBase[index + 1] <= length) ++index;
    symbols[length] = {static_cast<uint16_t>(257 + index), static_cast<uint16_t>(length - kLengthBase[index]),
                       kLengthExtra[index]};
  }
  return symbols;
}();

LengthSymbol distanceSymbol(size_t distance) {
  size_t index = 0;
  while (index + 1 < std::size(kDistanceBase) && kDistanceBase[index + 1] <= distance) ++index;
  return {static_cast<uint16_t>(index), static_cast<uint16_t>(distance - kDistanceBase[index]),
          kDistanceExtra[index]};
}

// A match token's length, and its distance: one byte back or one row back.
struct Match {
  LengthSymbol length;
  LengthSymbol distance;
};
Match matchOf(size_t token, const LengthSymbol& byteBack, const LengthSymbol& rowBack) {
  const size_t index = token - RowDeflate::kFirstMatch;
  return {kLengthSymbols[kMinMatch + (index >> 1)], (index & 1) != 0 ? rowBack : byteBack};
}

// How many bytes from `a` on equal those from `b` on, up to `limit`: a word at a time.
size_t matchLength(const unsigned char* a, const unsigned char* b, size_t limit) {
  size_t length = 0;
  while (length + 8 <= limit) {
    uint64_t x = 0;
    uint64_t y = 0;
    std::memcpy(&x, a + length, 8);
    std::memcpy(&y, b + length, 8);
    if (x != y) {
      const uint64_t differ = x ^ y;
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
      return length + static_cast<size_t>(bit / 8);
    }
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// Writes codes into a buffer already large enough for them and eight bytes more, the lowest bit
// of a byte first. A block's many codes go through one kept in locals: kept in the deflate's
// members, they would be read again after every byte stored, which could have changed them for
// all the compiler knows.
struct BitWriter {
  unsigned char* out;
  // Fewer than eight bits, between codes.
  uint64_t pending;
  uint32_t count;

  // A code of at most 56 bits. Eight bytes are stored at once, without a branch; those past the
  // whole ones are stored again by the codes after.
  void put(Code code) {
    pending |= code.bits << count;
    count += code.count;
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(pending >> (8 * i));
    const uint32_t whole = count / 8;
    out += whole;
    pending >>= 8 * whole;
    count -= 8 * whole;
  }
};

// Code lengths of at most `limit` bits for symbols of these frequencies, by Huffman's method, then
// the longest codes shortened and others lengthened to pay for them. Every code is complete:
// at least two symbols are given a code. Only the symbols used are worked on, and as the leaves
// come sorted and the inner nodes are made in order of weight, two queues stand for a heap.
std::vector<uint8_t> codeLengths(const std::vector<uint32_t>& frequencies, uint32_t limit) {
  // A leaf is its weight and symbol in one word, which sorts by weight, then by symbol.
  struct Leaf {
    uint64_t key;
    uint64_t weight() const { return key >> 16; }
    uint32_t symbol() const { return static_cast<uint32_t>(key & 0xFFFF); }
  };
  const auto leafOf = [](uint64_t weight, uint32_t symbol) { return Leaf{weight << 16 | symbol}; };
  // Every alphabet here is of at most kSymbols, so the work fits on the stack.
  std::array<Leaf, kSymbols> leaves{};
  size_t count = 0;
  for (uint32_t symbol = 0; symbol < frequencies.size(); ++symbol)
    if (frequencies[symbol] > 0) leaves[count++] = leafOf(frequencies[symbol], symbol);
  for (uint32_t symbol = 0; count < 2 && symbol < frequencies.size(); ++symbol) {
    if (frequencies[symbol] == 0) leaves[count++] = leafOf(1, symbol);
  }
  std::sort(leaves.begin(), leaves.begin() + static_cast<ptrdiff_t>(count),
            [](Leaf a, Leaf b) { return a.key < b.key; });
  // Nodes 0..count-1 are the leaves, count.. the inner nodes as they are made.
  std::array<uint64_t, kSymbols> inner{};
  std::array<uint16_t, 2 * kSymbols> parent{};
  size_t leaf = 0;
  size_t made = 0;
  size_t innerCount = 0;
  auto lightest = [&] {
    if (leaf < count && (made >= innerCount || leaves[leaf].weight() <= inner[made])) return leaf++;
    return count + made++;
  };
  auto weightOf = [&](size_t node) { return node < count ? leaves[node].weight() : inner[node - count]; };
  while (innerCount + 1 < count) {
    const size_t a = lightest();
    const size_t b = lightest();
    parent[a] = parent[b] = static_cast<uint16_t>(count + innerCount);
    inner[innerCount++] = weightOf(a) + weightOf(b);
  }
  // Depths from the root (the last node made) down.
  std::array<uint32_t, 2 * kSymbols> depth{};
  for (size_t node = 2 * count - 2; node-- > 0;) depth[node] = depth[parent[node]] + 1;
  // How many codes of each length, the too long ones made the longest allowed.
  std::array<uint32_t, 16> ofLength{};
  for (size_t i = 0; i < count; ++i) ++ofLength[std::min(depth[i], limit)];
  uint64_t kraft = 0;
  for (uint32_t length = 1; length <= limit; ++length)
    kraft += uint64_t{ofLength[length]} << (limit - length);
  while (kraft > (uint64_t{1} << limit)) {
    // Each turn, a code of the longest length goes, and a shorter one makes way for it by becoming
    // two a level longer: as many codes, one slot of the longest length fewer.
    --ofLength[limit];
    for (uint32_t length = limit - 1; length > 0; --length) {
      if (ofLength[length] > 0) {
        --ofLength[length];
        ofLength[length + 1] += 2;
        break;
      }
    }
    --kraft;
  }
  // The shortest codes to the most frequent symbols, the lower symbol first among equals: the
  // leaves backwards, each run of one weight turned round again.
  std::reverse(leaves.begin(), leaves.begin() + static_cast<ptrdiff_t>(count));
  for (size_t start = 0; start < count;) {
    size_t end = start + 1;
    while (end < count && leaves[end].weight() == leaves[start].weight()) ++end;
    std::reverse(leaves.begin() + static_cast<ptrdiff_t>(start),
                 leaves.begin() + static_cast<ptrdiff_t>(end));
    start = end;
  }
  std::vector<uint8_t> lengths(frequencies.size(), 0);
  size_t at = 0;
  for (uint32_t length = 1; length <= limit; ++length)
    for (uint32_t n = 0; n < ofLength[length]; ++n)
      lengths[leaves[at++].symbol()] = static_cast<uint8_t>(length);
  return lengths;
}

// The canonical codes of these lengths, ready to write.
std::vector<Code> canonicalCodes(const std::vector<uint8_t>& lengths) {
  uint32_t ofLength[16] = {};
  for (uint8_t length : lengths) ++ofLength[length];
  ofLength[0] = 0;
  uint32_t next[16] = {};
  for (uint32_t length = 1, code = 0; length < 16; ++length) {
    code = (code + ofLength[length - 1]) << 1;
    next[length] = code;
  }
  std::vector<Code> codes(lengths.size());
  for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (const uint8_t length = lengths[symbol]; length > 0)
      codes[symbol] = {reversed(next[length]++, length), length};
  }
  return codes;
}

}  // namespace

RowDeflate::RowDeflate(size_t rowSize, Buffers& buffers)
    : rowSize_(rowSize), buffer_(buffers.out), tokens_(buffers.tokens) {
  tokens_.clear();
  if (rowSize_ <= kMaxDistance) rowBack_ = static_cast<uint32_t>(rowSize_);
}

template <typename Emit>
void RowDeflate::encode(const unsigned char* row, const unsigned char* above, Emit emit) const {
  if (rowSize_ > kMaxDistance) above = nullptr;
  for (size_t at = 0; at < rowSize_;) {
    const size_t limit = std::min(kMaxMatch, rowSize_ - at);
    size_t length = at >= 1 ? matchLength(row + at, row + at - 1, limit) : 0;
    bool up = false;
    if (above != nullptr && length < limit) {
      if (const size_t same = matchLength(row + at, above + at, limit); same > length) {
        length = same;
        up = true;
      }
    }
    if (length < kMinMatch) {
      emit(Token{row[at++]});
      continue;
    }
    emit(static_cast<Token>(kFirstMatch + ((length - kMinMatch) << 1 | (up ? 1 : 0))));
    at += length;
  }
}

// The checksum of the bytes so far followed by a row whose own checksum is `row`.
uint32_t RowDeflate::withRow(uint32_t sofar, uint32_t row) const {
  constexpr uint64_t kBase = 65521;
  const uint64_t length = rowSize_ % kBase;
  const uint64_t low = ((sofar & 0xFFFF) + (row & 0xFFFF) + kBase - 1) % kBase;
  const uint64_t high = ((sofar >> 16) + (row >> 16) + length * (sofar & 0xFFFF) + kBase - length) % kBase;
  return static_cast<uint32_t>(high << 16 | low);
}

void RowDeflate::add(const unsigned char* row) {
  lastAdler_ = libdeflate_adler32(1, row, rowSize_);
  adler_ = withRow(adler_, lastAdler_);
  encode(row, last_, [this](Token token) { tokens_.push_back(token); });
  last_ = row;
  repeated_.clear();
  blockReused_ = false;
}

void RowDeflate::repeat() {
  if (last_ == nullptr) return;
  adler_ = withRow(adler_, lastAdler_);
  // A row the same as the one above is coded the same way every time: worked out once.
  if (repeated_.empty()) encode(last_, last_, [this](Token token) { repeated_.push_back(token); });
  tokens_.insert(tokens_.end(), repeated_.begin(), repeated_.end());
  blockReused_ = false;
}

void RowDeflate::reuse(std::span<const Token> tokens, uint32_t checksum) {
  lastAdler_ = checksum;
  adler_ = withRow(adler_, checksum);
  tokens_.insert(tokens_.end(), tokens.begin(), tokens.end());
  last_ = nullptr;
  repeated_.clear();
}

void RowDeflate::above(const unsigned char* row) {
  last_ = row;
  repeated_.clear();
}

template <typename Write>
void RowDeflate::write(Write codes) {
  BitWriter bits{buffer_.data() + at_, pending_, pendingCount_};
  codes(bits);
  at_ = static_cast<size_t>(bits.out - buffer_.data());
  pending_ = bits.pending;
  pendingCount_ = bits.count;
}

void RowDeflate::put(Code code) {
  write([code](BitWriter& bits) { bits.put(code); });
}

uint64_t RowDeflate::bitsWritten() const {
  return uint64_t{at_} * 8 + pendingCount_;
}

void RowDeflate::reserve(uint64_t bits) {
  // The bits pending, those to come and a word of slack.
  const size_t needed = at_ + static_cast<size_t>((pendingCount_ + bits) / 8) + 16;
  if (buffer_.size() < needed) buffer_.resize(std::max(needed, buffer_.size() * 2));
}

void RowDeflate::start() {
  if (started_) return;
  started_ = true;
  reserve(16);
  // Deflate with a 32 KiB window, no preset dictionary, the fastest compression said.
  buffer_[at_++] = 0x78;
  buffer_[at_++] = 0x01;
}

RowDeflate::Block RowDeflate::endBlock(std::span<const unsigned char> stream, Block earlier) {
  start();
  const Block block{bitsWritten(), earlier.bits};
  reserve(earlier.bits);
  write([&](BitWriter& bits) {
    uint64_t from = earlier.start;
    for (uint64_t left = earlier.bits; left > 0;) {
      const auto count = static_cast<uint32_t>(std::min<uint64_t>(left, 32));
      // The bits from `from` on, the first of them the lowest bit of the first byte.
      const auto byte = static_cast<size_t>(from / 8);
      uint64_t word = 0;
      for (size_t i = 0; i < 5 && byte + i < stream.size(); ++i)
        word |= uint64_t{stream[byte + i]} << (8 * i);
      word >>= from % 8;
      bits.put({static_cast<uint32_t>(word & ((uint64_t{1} << count) - 1)), count});
      from += count;
      left -= count;
    }
  });
  blockStart_ = tokens_.size();
  blockReused_ = true;
  return block;
}

bool RowDeflate::blockReused() const {
  return blockReused_ && blockStart_ < tokens_.size();
}

std::span<const unsigned char> RowDeflate::finish() {
  if (blockStart_ < tokens_.size() || !started_) endBlock();
  reserve(64);
  // The last block: empty, of the fixed codes, which need no table. Its end is the code 0000000.
  put({0b011, 3});
  put({0, 7});
  for (; pendingCount_ > 0; pendingCount_ -= std::min(pendingCount_, 8u)) {
    buffer_[at_++] = static_cast<unsigned char>(pending_);
    pending_ >>= 8;
  }
  for (int shift = 24; shift >= 0; shift -= 8) buffer_[at_++] = static_cast<unsigned char>(adler_ >> shift);
  return {buffer_.data(), at_};
}

RowDeflate::Block RowDeflate::endBlock() {
  start();
  const std::span<const Token> tokens(tokens_.data() + blockStart_, tokens_.size() - blockStart_);
  blockStart_ = tokens_.size();
  blockReused_ = true;
  const LengthSymbol byteBack = distanceSymbol(1);
  const LengthSymbol rowBack = rowBack_ != 0 ? distanceSymbol(rowBack_) : byteBack;
  // How often each token comes, then each symbol: codes made for these rows.
  std::array<uint32_t, kTokens> tokenCounts{};
  for (const Token token : tokens) ++tokenCounts[token];
  std::vector<uint32_t> symbolCounts(kSymbols, 0);
  std::vector<uint32_t> distanceCounts(kDistances, 0);
  std::copy_n(tokenCounts.begin(), kFirstMatch, symbolCounts.begin());
  // The extra bits of the matches, counted here rather than in a pass of their own.
  uint64_t extraBits = 0;
  for (size_t token = kFirstMatch; token < kTokens; ++token) {
    const uint32_t count = tokenCounts[token];
    if (count == 0) continue;
    const auto [length, distance] = matchOf(token, byteBack, rowBack);
    symbolCounts[length.symbol] += count;
    distanceCounts[distance.symbol] += count;
    extraBits += uint64_t{count} * (length.extraCount + distance.extraCount);
  }
  symbolCounts[kEndOfBlock] = 1;
  const auto symbolLengths = codeLengths(symbolCounts, 15);
  const auto distanceLengths = codeLengths(distanceCounts, 15);
  size_t symbolsSent = kSymbols;
  size_t distancesSent = kDistances;
  while (symbolsSent > 257 && symbolLengths[symbolsSent - 1] == 0) --symbolsSent;
  while (distancesSent > 1 && distanceLengths[distancesSent - 1] == 0) --distancesSent;

  // The code lengths, runs of one length sent as one.
  std::vector<uint8_t> all(symbolLengths.begin(),
                           symbolLengths.begin() + static_cast<ptrdiff_t>(symbolsSent));
  all.insert(all.end(), distanceLengths.begin(),
             distanceLengths.begin() + static_cast<ptrdiff_t>(distancesSent));
  struct Run {
    uint8_t symbol, extra;
  };
  std::vector<Run> runs;
  for (size_t i = 0; i < all.size();) {
    size_t run = 1;
    while (i + run < all.size() && all[i + run] == all[i]) ++run;
    if (all[i] == 0 && run >= 3) {
      run = std::min<size_t>(run, 138);
      runs.push_back(run <= 10 ? Run{17, static_cast<uint8_t>(run - 3)}
                               : Run{18, static_cast<uint8_t>(run - 11)});
    } else if (all[i] != 0 && run >= 4) {
      runs.push_back({all[i], 0});
      run = std::min<size_t>(run - 1, 6);
      runs.push_back({16, static_cast<uint8_t>(run - 3)});
      ++run;
    } else {
      run = 1;
      runs.push_back({all[i], 0});
    }
    i += run;
  }
  std::vector<uint32_t> lengthCounts(kLengthCodes, 0);
  for (const Run& run : runs) ++lengthCounts[run.symbol];
  const auto lengthLengths = codeLengths(lengthCounts, 7);
  size_t lengthsSent = kLengthCodes;
  while (lengthsSent > 4 && lengthLengths[kLengthCodeOrder[lengthsSent - 1]] == 0) --lengthsSent;

  const auto symbolCodes = canonicalCodes(symbolLengths);
  const auto distanceCodes = canonicalCodes(distanceLengths);
  const auto lengthCodes = canonicalCodes(lengthLengths);

  // The exact size, so that the buffer is grown once and never overrun.
  uint64_t bits = 3 + 14 + 3 * lengthsSent;
  for (const Run& run : runs) bits += lengthLengths[run.symbol] + kLengthCodeExtra[run.symbol];
  for (size_t symbol = 0; symbol < kSymbols; ++symbol)
    bits += uint64_t{symbolCounts[symbol]} * symbolLengths[symbol];
  for (size_t symbol = 0; symbol < kDistances; ++symbol)
    bits += uint64_t{distanceCounts[symbol]} * distanceLengths[symbol];
  bits += extraBits;
  reserve(bits);
  const Block block{bitsWritten(), bits};
  // Each token's codes and extra bits as one code.
  std::array<Code, kTokens> tokenCodes{};
  std::copy_n(symbolCodes.begin(), kFirstMatch, tokenCodes.begin());
  const auto withExtra = [](const Code& code, const LengthSymbol& symbol) {
    return Code{code.bits | uint64_t{symbol.extra} << code.count, code.count + symbol.extraCount};
  };
  for (size_t token = kFirstMatch; token < kTokens; ++token) {
    if (tokenCounts[token] == 0) continue;
    const auto [length, distance] = matchOf(token, byteBack, rowBack);
    const Code lengthCode = withExtra(symbolCodes[length.symbol], length);
    const Code distanceCode = withExtra(distanceCodes[distance.symbol], distance);
    tokenCodes[token] = {lengthCode.bits | distanceCode.bits << lengthCode.count,
                         lengthCode.count + distanceCode.count};
  }
  write([&](BitWriter& out) {
    out.put({0b100, 3});  // a block of codes of its own, not the last
    out.put({static_cast<uint32_t>(symbolsSent - 257), 5});
    out.put({static_cast<uint32_t>(distancesSent - 1), 5});
    out.put({static_cast<uint32_t>(lengthsSent - 4), 4});
    for (size_t i = 0; i < lengthsSent; ++i) out.put({lengthLengths[kLengthCodeOrder[i]], 3});
    for (const Run& run : runs) {
      out.put(lengthCodes[run.symbol]);
      out.put({run.extra, kLengthCodeExtra[run.symbol]});
    }
    for (const Token token : tokens) out.put(tokenCodes[token]);
    out.put(symbolCodes[kEndOfBlock]);
  });
  return block;
}

}  // namespace lunadoze::sim
