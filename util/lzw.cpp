#include "util/lzw.h"

#include <bit>
#include <chrono>
#include <cstring>
#include <string>

#include "util/log.h"
#include "util/text.h"

namespace zarvik {
namespace {

constexpr int kMaxWidth = 56;
constexpr std::size_t kProgressStep = 0x80000;
constexpr auto kProgressInterval = std::chrono::milliseconds(1000);

// The coder's table: (prefix code, byte) -> code, open addressing with linear probing. Single
// bytes are not stored; their code is the byte itself.
class CoderTable {
  public:
    CoderTable() : slots_(kInitialSlots), shift_(64 - std::countr_zero(kInitialSlots)) {}

    // The code of (prefix, byte), or -1 after entering it as `next`.
    std::int64_t findOrAdd(std::uint64_t prefix, std::uint8_t byte, std::int64_t next) {
        const std::uint64_t key = ((prefix << 8) | byte) + 1;
        std::size_t i = slot(key);
        while (slots_[i].key != 0) {
            if (slots_[i].key == key) {
                return slots_[i].code;
            }
            i = (i + 1) & (slots_.size() - 1);
        }
        slots_[i] = {key, next};
        if (++used_ * 2 > slots_.size()) {
            grow();
        }
        return -1;
    }

  private:
    struct Slot {
        std::uint64_t key = 0;  // (prefix << 8 | byte) + 1; 0 marks a free slot
        std::int64_t code = 0;
    };
    static constexpr std::size_t kInitialSlots = 1 << 12;

    std::size_t slot(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        --shift_;
        for (const Slot& s : old) {
            if (s.key != 0) {
                std::size_t i = slot(s.key);
                while (slots_[i].key != 0) {
                    i = (i + 1) & (slots_.size() - 1);
                }
                slots_[i] = s;
            }
        }
    }

    std::vector<Slot> slots_;
    int shift_;
    std::size_t used_ = 0;
};

bool validwidth(int width, const char* function) {
    if (width >= 1 && width <= kMaxWidth) {
        return true;
    }
    logline(std::string(function) + ": Illegal code width " + std::to_string(width) + ".");
    return false;
}

}  // namespace

LzwCoded texttolzwunpacked(ByteView data) {
    LzwCoded result;
    if (data.empty()) {
        return result;
    }
    using Clock = std::chrono::steady_clock;
    auto lastReport = Clock::now();
    CoderTable table;
    result.codes.reserve(data.size() / 4 + 16);
    std::int64_t next = 256;
    std::int64_t largest = 0;
    std::int64_t current = data[0];
    for (std::size_t i = 1; i < data.size(); ++i) {
        if ((i & (kProgressStep - 1)) == 0 && Clock::now() - lastReport > kProgressInterval) {
            logline("texttolzwunpacked: " + std::to_string(i * 100 / data.size()) + "% of " +
                    numbertext(static_cast<std::int64_t>(data.size()), ' ', 1, true) + " Bytes.");
            lastReport = Clock::now();
        }
        const std::uint8_t byte = data[i];
        const std::int64_t code = table.findOrAdd(static_cast<std::uint64_t>(current), byte, next);
        if (code >= 0) {
            current = code;
            continue;
        }
        ++next;
        result.codes.push_back(current);
        largest = current > largest ? current : largest;
        current = byte;
    }
    result.codes.push_back(current);
    largest = current > largest ? current : largest;
    while (result.width < 63 && (std::int64_t{1} << result.width) <= largest) {
        ++result.width;
    }
    return result;
}

Bytes lzwunpackedtopacked(std::span<const std::int64_t> codes, int width) {
    Bytes out;
    if (!validwidth(width, "lzwunpackedtopacked")) {
        return out;
    }
    const auto w = static_cast<unsigned>(width);
    const std::uint64_t mask = (std::uint64_t{1} << w) - 1;
    out.reserve((codes.size() * w + 7) / 8);
    std::uint64_t bits = 0;  // pending bits, fewer than 8 between codes
    unsigned count = 0;
    for (const std::int64_t code : codes) {
        bits = (bits << w) | (static_cast<std::uint64_t>(code) & mask);
        count += w;
        while (count >= 8) {
            count -= 8;
            out.push_back(static_cast<std::uint8_t>(bits >> count));
        }
    }
    if (count > 0) {
        out.push_back(static_cast<std::uint8_t>(bits << (8 - count)));
    }
    return out;
}

LzwCodes lzwpackedtounpacked(ByteView packed, int width) {
    LzwCodes codes;
    if (!validwidth(width, "lzwpackedtounpacked")) {
        return codes;
    }
    const auto w = static_cast<unsigned>(width);
    const std::uint64_t mask = (std::uint64_t{1} << w) - 1;
    codes.reserve(packed.size() * 8 / w);
    std::uint64_t bits = 0;
    unsigned count = 0;  // below w between bytes, so at most 63 bits are ever held
    for (const std::uint8_t byte : packed) {
        bits = (bits << 8) | byte;
        count += 8;
        while (count >= w) {  // narrow widths hold several codes per byte
            count -= w;
            codes.push_back(static_cast<std::int64_t>((bits >> count) & mask));
        }
    }
    return codes;
}

Bytes lzwunpackedtotext(std::span<const std::int64_t> codes, std::size_t limit) {
    // A first code that is no byte value is as invalid as any other unknown code.
    if (codes.empty() || codes[0] < 0 || codes[0] > 255) {
        return {};
    }
    const std::string limitLine =
        "lzwunpackedtotext: Output exceeds the limit of " + std::to_string(limit) + " bytes.";
    if (limit == 0) {
        logline(limitLine);
        return {};
    }
    // Every table entry is a stretch of the output already written: the entry made after a code
    // is the previous code's string plus the first byte of this one, which follows it directly.
    struct Entry {
        std::size_t start;
        std::size_t length;
    };
    std::vector<Entry> table;
    table.reserve(codes.size());
    Bytes out(codes.size() * 4 < limit ? codes.size() * 4 : limit);
    std::size_t size = 0;
    out[size++] = static_cast<std::uint8_t>(codes[0]);
    Entry previous{0, 1};
    for (std::size_t i = 1; i < codes.size(); ++i) {
        const std::int64_t code = codes[i];
        const auto next = static_cast<std::int64_t>(256 + table.size());
        if (code < 0 || code > next) {
            return {};
        }
        table.push_back({previous.start, previous.length + 1});
        const Entry entry = code < 256 ? Entry{0, 1} : table[static_cast<std::size_t>(code - 256)];
        if (entry.length > limit - size) {
            logline(limitLine);
            return {};
        }
        if (size + entry.length > out.size()) {
            const std::size_t grown =
                out.size() * 2 > size + entry.length ? out.size() * 2 : size + entry.length;
            out.resize(grown < limit ? grown : limit);
        }
        std::uint8_t* o = out.data();
        if (code < 256) {
            o[size] = static_cast<std::uint8_t>(code);
        } else if (code == next) {
            // The new entry ends with its own first byte, one past the stretch it copies.
            std::memcpy(o + size, o + entry.start, entry.length - 1);
            o[size + entry.length - 1] = o[entry.start];
        } else {
            std::memcpy(o + size, o + entry.start, entry.length);
        }
        previous = {size, entry.length};
        size += entry.length;
    }
    out.resize(size);
    return out;
}

}  // namespace zarvik
