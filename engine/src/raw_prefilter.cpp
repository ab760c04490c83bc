#include "raw_prefilter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "cpu_features.h"
#include "char_class.h"
#include "needle_match.h"
#include "text_decoder.h"

namespace tyx12::detail {

namespace {

// The two characters beyond ASCII that fold to ASCII letters, as UTF-8.
const std::string kKelvinSign = "\xE2\x84\xAA";
const std::string kLongS = "\xC5\xBF";
const std::string kNoCaseMasks(3, '\0');

// How often a byte turns up in text and code, roughly: the probes go to the
// rarest bytes of a needle, where a false candidate is least likely.
int commonness(unsigned char b) {
    static constexpr std::string_view kLetters = "etaoinshrdlucmfwypvbgkjqxz";
    const unsigned char lower = b >= 'A' && b <= 'Z' ? b + 32 : b;
    const std::size_t letter = kLetters.find(static_cast<char>(lower));
    if (letter != std::string_view::npos) return 40 - static_cast<int>(letter);
    if (b >= '0' && b <= '9') return 12;
    if (std::string_view(".,;:()=_-/\"'*<>{}[]#").find(static_cast<char>(b)) != std::string_view::npos) return 10;
    return 2;
}

// The bytes without their NULs, which the text drops. Files with holes hold
// long runs of them, skipped eight bytes at a time.
std::size_t copyWithoutNuls(const unsigned char* in, std::size_t count, unsigned char* out) {
    std::size_t written = 0, i = 0;
    while (i < count) {
        const auto* nul = static_cast<const unsigned char*>(std::memchr(in + i, 0, count - i));
        const std::size_t stretch = (nul ? static_cast<std::size_t>(nul - in) : count) - i;
        std::memcpy(out + written, in + i, stretch);
        written += stretch;
        i += stretch;
        std::uint64_t eight;
        while (i + 8 <= count && (std::memcpy(&eight, in + i, 8), eight == 0)) i += 8;
        while (i < count && in[i] == 0) ++i;
    }
    return written;
}

bool hasByteBeyondAscii(const unsigned char* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, bytes + i, 8);
        if (eight & 0x8080808080808080ull) return true;
    }
    for (; i < count; ++i)
        if (bytes[i] >= 0x80) return true;
    return false;
}

std::size_t findNeedlePlain(const unsigned char* bytes, std::size_t count, const std::string& needle,
                            const std::string& masks) {
    for (std::size_t i = 0; i + needle.size() <= count; ++i)
        if (needleStandsAt(bytes + i, needle, masks)) return i;
    return kNoNeedle;
}

std::size_t findNeedleBeforeNulPlain(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                     const std::string& masks, bool& nulMet) {
    const auto* nul = static_cast<const unsigned char*>(std::memchr(bytes, 0, count));
    nulMet = false;
    const std::size_t at = findNeedlePlain(bytes, nul ? static_cast<std::size_t>(nul - bytes) : count, needle, masks);
    if (at == kNoNeedle && nul) nulMet = true;
    return at;
}

}  // namespace

#if defined(__x86_64__) || defined(__i386__)
std::size_t copyWithoutNulsAvx2(const unsigned char* in, std::size_t count, unsigned char* out);
std::size_t copyWithoutNulsAvx512(const unsigned char* in, std::size_t count, unsigned char* out);
std::size_t findNeedleAvx2(const unsigned char* bytes, std::size_t count, const std::string& needle,
                           const std::string& masks, std::size_t probe1, std::size_t probe2);
std::size_t findNeedleBeforeNulAvx2(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                    const std::string& masks, std::size_t probe1, std::size_t probe2, bool& nulMet);
std::size_t findNeedleAvx512(const unsigned char* bytes, std::size_t count, const std::string& needle,
                             const std::string& masks, std::size_t probe1, std::size_t probe2);
std::size_t findNeedleBeforeNulAvx512(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                      const std::string& masks, std::size_t probe1, std::size_t probe2,
                                      bool& nulMet);
#endif

std::size_t withoutNuls(const unsigned char* in, std::size_t count, unsigned char* out) {
#if defined(__x86_64__) || defined(__i386__)
#if defined(__x86_64__)
    if (hasAvx512Compress()) return copyWithoutNulsAvx512(in, count, out);
#endif
    if (hasAvx2()) return copyWithoutNulsAvx2(in, count, out);
#endif
    return copyWithoutNuls(in, count, out);
}

std::size_t findNeedle(const unsigned char* bytes, std::size_t count, const std::string& needle,
                       const std::string& caseMasks, std::size_t probe1, std::size_t probe2, bool useVectors) {
#if defined(__x86_64__) || defined(__i386__)
#if defined(__x86_64__)
    if (useVectors && hasAvx512Compress()) return findNeedleAvx512(bytes, count, needle, caseMasks, probe1, probe2);
#endif
    if (useVectors && hasAvx2()) return findNeedleAvx2(bytes, count, needle, caseMasks, probe1, probe2);
#endif
    (void)probe1;
    (void)probe2;
    (void)useVectors;
    return findNeedlePlain(bytes, count, needle, caseMasks);
}

std::size_t findNeedleBeforeNul(const unsigned char* bytes, std::size_t count, const std::string& needle,
                                const std::string& caseMasks, std::size_t probe1, std::size_t probe2,
                                bool useVectors, bool& nulMet) {
#if defined(__x86_64__) || defined(__i386__)
#if defined(__x86_64__)
    if (useVectors && hasAvx512Compress())
        return findNeedleBeforeNulAvx512(bytes, count, needle, caseMasks, probe1, probe2, nulMet);
#endif
    if (useVectors && hasAvx2()) return findNeedleBeforeNulAvx2(bytes, count, needle, caseMasks, probe1, probe2, nulMet);
#endif
    (void)probe1;
    (void)probe2;
    (void)useVectors;
    return findNeedleBeforeNulPlain(bytes, count, needle, caseMasks, nulMet);
}

std::vector<VectorWidth> vectorWidths() {
    std::vector<VectorWidth> widths;
#if defined(__x86_64__) || defined(__i386__)
    if (hasAvx2()) widths.push_back({"AVX2", findNeedleAvx2, findNeedleBeforeNulAvx2, copyWithoutNulsAvx2});
#endif
#if defined(__x86_64__)
    if (hasAvx512Compress())
        widths.push_back({"AVX-512", findNeedleAvx512, findNeedleBeforeNulAvx512, copyWithoutNulsAvx512});
#endif
    return widths;
}

RawPrefilter::RawPrefilter(const Query& query, bool ignoreCase) : query_(query) {
    for (int i = 0; i < kWordSlots; ++i)
        if (query.slots[i].present) {
            const SearchWord& word = query.slots[i].word;
            needles_[i] = cachedNeedleOf(word.core(), ignoreCase);
            // A star lets the word run on past its core.
            needles_[i].isWholeWord = needles_[i].isWholeWord && word.mode() == WildcardMode::None;
        }
}

namespace {

struct Stretch {
    std::size_t start = 0, length = 0;
};

// The longest stretch of the core whose characters all pass `takes`.
template <typename Takes>
Stretch longestStretch(std::u32string_view core, Takes takes) {
    Stretch best;
    for (std::size_t start = 0; start < core.size();) {
        std::size_t end = start;
        while (end < core.size() && takes(core[end])) ++end;
        if (end - start > best.length) best = {start, end - start};
        start = end + 1;
    }
    return best;
}

// Shorter than this, a needle rules out too few files to be worth its scan.
constexpr std::size_t kUsefulNeedle = 3;

}  // namespace

RawPrefilter::Needle RawPrefilter::needleOf(std::u32string_view core, bool ignoreCase) {
    const auto printable = [](Char c) { return c > 0x20 && c < 0x7F; };
    Stretch stretch = longestStretch(core, printable);
    // A k or an s may come from a character beyond ASCII, whose bytes binary
    // files hold by chance: a needle without them, where there is a useful
    // one, rules out far more files.
    if (ignoreCase) {
        const Stretch plain =
            longestStretch(core, [&](Char c) { return printable(c) && c != 'k' && c != 's'; });
        if (plain.length >= kUsefulNeedle) stretch = plain;
    }
    const std::size_t bestStart = stretch.start, bestLength = stretch.length;
    Needle needle;
    for (std::size_t k = 0; k < bestLength; ++k) {
        const auto b = static_cast<unsigned char>(core[bestStart + k]);
        const bool letter = (b | 0x20) >= 'a' && (b | 0x20) <= 'z';
        // The word is folded already when case is ignored: its letters are small.
        const bool eitherCase = ignoreCase && letter;
        needle.bytes.push_back(static_cast<char>(b));
        needle.caseMasks.push_back(eitherCase ? 0x20 : 0x00);
        if (eitherCase && (b == 'k' || b == 's')) needle.foldsFromBeyondAscii = true;
    }
    if (bestLength > 0) {
        std::vector<std::size_t> order(bestLength);
        for (std::size_t k = 0; k < bestLength; ++k) order[k] = k;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return commonness(static_cast<unsigned char>(needle.bytes[a])) <
                   commonness(static_cast<unsigned char>(needle.bytes[b]));
        });
        needle.probes[0] = order[0];
        needle.probes[1] = bestLength > 1 ? order[1] : order[0];
    }
    needle.needsHighByte = std::any_of(core.begin(), core.end(), [](Char c) { return c >= 0x80; });
    needle.isWholeWord = bestLength == core.size() && !needle.foldsFromBeyondAscii &&
                         std::all_of(core.begin(), core.end(), [](Char c) { return c < 0x80 && isWordChar(c); });
    return needle;
}

const RawPrefilter::Needle& RawPrefilter::cachedNeedleOf(std::u32string_view core, bool ignoreCase) {
    struct Known {
        std::u32string core;
        bool ignoreCase;
        Needle needle;
    };
    // A run searches every file for the same few words.
    thread_local std::vector<Known> known;
    for (const Known& entry : known)
        if (entry.ignoreCase == ignoreCase && entry.core == core) return entry.needle;
    if (known.size() >= 16) known.clear();
    known.push_back({std::u32string(core), ignoreCase, needleOf(core, ignoreCase)});
    return known.back().needle;
}

bool RawPrefilter::couldMatch(const WordsFound& mayHold) const { return couldMatchGiven(query_, mayHold); }

// Whether the word whose bytes stand at [at, at + length) of the raw bytes has
// a boundary on both sides in the text, read from the bytes around it as the
// decoder reads them: NULs are dropped, a UTF-8 sequence is at most four
// bytes long, and a byte that is not a continuation byte always begins a
// character.
RawPrefilter::Verdict RawPrefilter::judgeAt(const Piece& piece, std::size_t at, std::size_t length) {
    if (!piece.exact) return Verdict::Unsure;
    const unsigned char* bytes = piece.raw;
    const auto isContinuation = [](unsigned char b) { return b >= 0x80 && b < 0xC0; };
    std::size_t start = at;
    while (start > 0 && bytes[start - 1] == 0) --start;
    if (start > 0) {
        const std::size_t last = start - 1;
        Char before = fromWindows1252(bytes[last]);
        if (isContinuation(bytes[last])) {
            for (std::size_t back = 1; back <= 3; ++back) {
                if (back > last) {
                    // The sequence could begin before these bytes.
                    if (!piece.startsFile) return Verdict::Unsure;
                    break;
                }
                const std::size_t lead = last - back;
                Char decoded;
                if (utf8SequenceAt(bytes + lead, start - lead, decoded) == static_cast<int>(back + 1)) {
                    before = decoded;
                    break;
                }
                if (!isContinuation(bytes[lead])) break;
            }
        }
        if (isWordChar(before)) return Verdict::Absent;
    } else if (!piece.startsFile) {
        return Verdict::Unsure;
    }
    std::size_t end = at + length;
    while (end < piece.rawCount && bytes[end] == 0) ++end;
    if (end < piece.rawCount) {
        Char after = fromWindows1252(bytes[end]);
        if (bytes[end] >= 0x80) {
            Char decoded;
            const int sequence = utf8SequenceAt(bytes + end, piece.rawCount - end, decoded);
            if (sequence < 0 && !piece.endsFile) return Verdict::Unsure;
            if (sequence > 0) after = decoded;
        }
        if (isWordChar(after)) return Verdict::Absent;
    } else if (!piece.endsFile) {
        return Verdict::Unsure;
    }
    return Verdict::Present;
}

bool RawPrefilter::Piece::hasNuls() const {
    if (!nulsKnown()) nuls_ = std::memchr(raw, 0, rawCount) != nullptr;
    return scratch && nuls_ > 0;
}

RawPrefilter::Piece::Bytes RawPrefilter::Piece::withoutNuls() const {
    if (!hasNuls()) return {raw, rawCount};
    if (!stripped_) {
        scratch->resize(rawCount + 64);
        strippedCount_ = tyx12::detail::withoutNuls(raw, rawCount, scratch->data());
        stripped_ = true;
    }
    return {scratch->data(), strippedCount_};
}

// Decides a plain word in one piece: false when it is not there. Each place
// where its bytes stand is judged, with or without NULs between them.
bool RawPrefilter::judgeWholeWord(const Needle& needle, const Piece& piece, bool& certain,
                                  std::uint64_t& firstAt) const {
    const auto next = [&](const unsigned char* bytes, std::size_t count, std::size_t from) {
        const std::size_t at = findNeedle(bytes + from, count - from, needle.bytes, needle.caseMasks,
                                          needle.probes[0], needle.probes[1], true);
        return at == kNoNeedle ? kNoNeedle : from + at;
    };
    // Where the word stands whole, or may, the look ends: true is the answer.
    const auto settles = [&](std::size_t at, std::size_t length) {
        const Verdict verdict = judgeAt(piece, at, length);
        if (verdict == Verdict::Present) {
            certain = true;
            firstAt = piece.offset + at;
        }
        return verdict != Verdict::Absent;
    };
    // Most pieces hold no NUL, and the word's first look notes one on the
    // way: a piece without them needs no other pass over its bytes.
    if (!piece.nulsKnown()) {
        for (std::size_t from = 0;;) {
            bool nulMet = false;
            const std::size_t found = findNeedleBeforeNul(piece.raw + from, piece.rawCount - from, needle.bytes,
                                                          needle.caseMasks, needle.probes[0], needle.probes[1],
                                                          true, nulMet);
            if (nulMet) {
                // Judged again below, the NULs taken into account.
                piece.noteNuls(true);
                break;
            }
            if (found == kNoNeedle) {
                piece.noteNuls(false);
                return false;
            }
            const std::size_t at = from + found;
            if (settles(at, needle.bytes.size())) return true;
            from = at + 1;
        }
    }
    // In a piece with NULs, where the bytes without them hold no place for
    // the word, nothing else needs a look.
    if (piece.hasNuls()) {
        const Piece::Bytes bytes = piece.withoutNuls();
        if (next(bytes.data, bytes.count, 0) == kNoNeedle) return false;
    }
    std::size_t together = 0;
    for (std::size_t at = next(piece.raw, piece.rawCount, 0); at != kNoNeedle;
         at = next(piece.raw, piece.rawCount, at + 1)) {
        if (settles(at, needle.bytes.size())) return true;
        ++together;
    }
    if (!piece.hasNuls()) return false;
    const Piece::Bytes bytes = piece.withoutNuls();
    std::size_t apart = 0;
    for (std::size_t at = next(bytes.data, bytes.count, 0); at != kNoNeedle && apart <= together;
         at = next(bytes.data, bytes.count, at + 1))
        ++apart;
    if (apart == together) return false;

    // Some place has NULs between the word's bytes: rare, and each such place
    // is found and judged one byte at a time.
    const unsigned char* raw = piece.raw;
    const auto matches = [&](unsigned char b, std::size_t k) { return needleByteAt(b, needle.bytes, needle.caseMasks, k); };
    for (std::size_t start = 0; start < piece.rawCount; ++start) {
        if (!matches(raw[start], 0)) continue;
        std::size_t end = start + 1, k = 1;
        bool split = false;
        for (; k < needle.bytes.size(); ++k, ++end) {
            while (end < piece.rawCount && raw[end] == 0) ++end, split = true;
            if (end >= piece.rawCount || !matches(raw[end], k)) break;
        }
        if (k < needle.bytes.size() || !split) continue;
        if (settles(start, end - start)) return true;
    }
    return false;
}

void RawPrefilter::scan(const Piece& piece, WordsFound& seen, WordsFound& unseen, WordsFound& certain,
                        std::array<std::uint64_t, kWordSlots>& firstAt) {
    const auto holds = [&](const std::string& sequence) {
        // Exact bytes, probed by the last two: 0xE2 and 0xC5 lead a good part
        // of all UTF-8 text.
        const Piece::Bytes bytes = piece.withoutNuls();
        return holdsNeedle(bytes.data, bytes.count, sequence, kNoCaseMasks, sequence.size() - 2,
                           sequence.size() - 1, true);
    };
    std::optional<bool> holdsHighByte;
    for (int i = 0; i < kWordSlots; ++i) {
        if (!unseen[i]) continue;
        const Needle& needle = needles_[i];
        if (!highByteSeen_[i]) {
            if (!holdsHighByte) holdsHighByte = hasByteBeyondAscii(piece.raw, piece.rawCount);
            highByteSeen_[i] = *holdsHighByte;
        }
        bool found = needleSeen_[i];
        if (!found && needle.isWholeWord && piece.exact) {
            bool known = false;
            found = judgeWholeWord(needle, piece, known, firstAt[i]);
            certain[i] = known;
        } else if (!found) {
            const Piece::Bytes bytes = piece.withoutNuls();
            found = holdsNeedle(bytes.data, bytes.count, needle.bytes, needle.caseMasks, needle.probes[0],
                                needle.probes[1], true) ||
                    (needle.foldsFromBeyondAscii && (holds(kKelvinSign) || holds(kLongS)));
        }
        needleSeen_[i] = found;
        if (found && highByteSeen_[i]) {
            seen[i] = true;
            unseen[i] = false;
        }
    }
}

WordsFound RawPrefilter::mayHold(RawSource& source, std::vector<unsigned char>& scratch, WordsFound& certain,
                                 std::array<std::uint64_t, kWordSlots>& firstAt) {
    WordsFound seen{}, unseen{};
    certain = {};
    std::size_t longest = kKelvinSign.size();
    for (int i = 0; i < kWordSlots; ++i) {
        if (!query_.slots[i].present) continue;
        needleSeen_[i] = needles_[i].bytes.empty();
        highByteSeen_[i] = !needles_[i].needsHighByte;
        (needleSeen_[i] && highByteSeen_[i] ? seen : unseen)[i] = true;
        longest = std::max(longest, needles_[i].bytes.size());
    }
    const RawPiece start = source.peek(3);
    if (encodingMarkOf(start.bytes, start.count).encoding != TextEncoding::Utf8OrWindows1252) {
        for (int i = 0; i < kWordSlots; ++i) seen[i] = seen[i] || unseen[i];
        return seen;
    }

    // What the last piece ended with, for a needle that runs over into the next.
    std::string carry;
    bool readAll = false;
    std::uint64_t offset = 0;
    while (std::find(unseen.begin(), unseen.end(), true) != unseen.end() && !(couldMatch(seen) && verdictSettled(query_, seen, unseen))) {
        const RawPiece piece = source.peek(1);
        if (piece.count == 0) {
            readAll = true;
            break;
        }
        const Piece whole{piece.bytes, piece.count, true, offset == 0, piece.reachesEnd, offset, &scratch};
        offset += piece.count;
        if (!carry.empty()) {
            // The seam: the last piece's end and this one's start, NULs left out.
            std::string seam = carry;
            for (std::size_t k = 0; k < piece.count && seam.size() < carry.size() + longest - 1; ++k)
                if (piece.bytes[k]) seam.push_back(static_cast<char>(piece.bytes[k]));
            const auto* seamBytes = reinterpret_cast<const unsigned char*>(seam.data());
            scan(Piece{seamBytes, seam.size()}, seen, unseen, certain, firstAt);
        }
        scan(whole, seen, unseen, certain, firstAt);
        std::string tail;
        for (std::size_t k = piece.count; k > 0 && tail.size() < longest - 1; --k)
            if (piece.bytes[k - 1]) tail.insert(tail.begin(), static_cast<char>(piece.bytes[k - 1]));
        carry.append(tail);
        if (carry.size() > longest - 1) carry.erase(0, carry.size() - (longest - 1));
        source.consume(piece.count);
        if (piece.reachesEnd) {
            readAll = true;
            break;
        }
    }
    if (!readAll)
        for (int i = 0; i < kWordSlots; ++i) seen[i] = seen[i] || unseen[i];
    return seen;
}

}  // namespace tyx12::detail
