#include "util/rle.h"

#include <array>
#include <cstring>
#include <string>

#include "util/log.h"

namespace zarvik {
namespace {

constexpr std::size_t kShortCountLimit = 239;
constexpr std::size_t kWordCountLimit = 65535;
constexpr std::size_t kLongCountLimit = 0xFFFFFFFFu;
constexpr std::uint8_t kWordCount = 240;
constexpr std::uint8_t kLongCount = 241;

std::string hexdigits(unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kHex[value & 15u];
        value >>= 4;
    }
    return text;
}

// Per-variant details: the histogram key of an element, the escape built from the rarest key,
// the encoder's size rule and the wording of its lines.
template <int K>
struct Variant;

template <>
struct Variant<1> {
    static constexpr const char* kDecoder = "rletobinary8";
    static constexpr std::size_t kKeys = 256;
    static unsigned key(const std::uint8_t* e) { return e[0]; }
    static std::array<std::uint8_t, 1> escape(unsigned key) { return {static_cast<std::uint8_t>(key)}; }
    static void reportRarest(std::size_t, unsigned) {}
    static void reportShortEscape(std::size_t) {}
    static const char* longCountLine() { return "rletobinary8: Decode LongInt count"; }
};

template <>
struct Variant<2> {
    static constexpr const char* kDecoder = "rletobinary16";
    static constexpr std::size_t kKeys = 65536;
    static unsigned key(const std::uint8_t* e) { return (unsigned{e[0]} << 8) | e[1]; }
    static std::array<std::uint8_t, 2> escape(unsigned key) {
        return {static_cast<std::uint8_t>(key >> 8), static_cast<std::uint8_t>(key)};
    }
    static void reportRarest(std::size_t count, unsigned key) {
        logline(std::string("binary16torle: ") + std::to_string(count) +
                " elements found: " + std::to_string(key) + ".");
    }
    static void reportShortEscape(std::size_t n) {
        logline("binary16torle: " + std::to_string(n) + " elements appended.");
    }
    static const char* longCountLine() { return "rletobinary16: Decode LongInt count."; }
};

template <>
struct Variant<3> {
    static constexpr const char* kDecoder = "rletobinary24";
    static constexpr std::size_t kKeys = 65536;
    static unsigned key(const std::uint8_t* e) { return (unsigned{e[0]} << 8) | e[1]; }
    static std::array<std::uint8_t, 3> escape(unsigned key) {
        return {static_cast<std::uint8_t>(key >> 8), static_cast<std::uint8_t>(key), 0x55};
    }
    static void reportRarest(std::size_t count, unsigned key) {
        logline("binary24torle: " + std::to_string(count) + " elements found: $" + hexdigits(key, 4) + ".");
    }
    static void reportShortEscape(std::size_t n) {
        logline("binary24torle: " + std::to_string(n) + " elements appended.");
    }
    static const char* longCountLine() { return "rletobinary24: Decode LongInt count."; }
};

template <>
struct Variant<4> {
    static constexpr const char* kDecoder = "rletobinary32";
    static constexpr std::size_t kKeys = 65536;
    static unsigned key(const std::uint8_t* e) { return (unsigned{e[1]} << 8) | e[2]; }
    static std::array<std::uint8_t, 4> escape(unsigned key) {
        return {0x55, static_cast<std::uint8_t>(key >> 8), static_cast<std::uint8_t>(key), 0x55};
    }
    static void reportRarest(std::size_t count, unsigned key) {
        logline("binary32torle: " + std::to_string(count) + " elements found: $" + std::to_string(key) + ".");
    }
    static void reportShortEscape(std::size_t n) {
        logline("binary32torle: " + std::to_string(n) + " elements appended.");
    }
    static const char* longCountLine() { return "rletobinary32: Decode LongInt count."; }
};

template <int K>
bool sameelement(const std::uint8_t* a, const std::uint8_t* b) {
    return std::memcmp(a, b, K) == 0;
}

template <int K>
void appendelement(Bytes& out, const std::uint8_t* e) {
    out.insert(out.end(), e, e + K);
}

template <int K>
void appendcommand(Bytes& out, const std::uint8_t* escape, std::size_t n, const std::uint8_t* value) {
    appendelement<K>(out, escape);
    if (n <= kShortCountLimit) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else if (n <= kWordCountLimit) {
        out.push_back(kWordCount);
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(n));
    } else {
        out.push_back(kLongCount);
        for (int shift = 24; shift >= 0; shift -= 8) {
            out.push_back(static_cast<std::uint8_t>(n >> shift));
        }
    }
    appendelement<K>(out, value);
}

template <int K>
Bytes encode(ByteView data) {
    using V = Variant<K>;
    const std::size_t count = data.size() / K;
    if (data.size() % K != 0 || count < 4) {
        return Bytes(data.begin(), data.end());
    }
    const std::uint8_t* d = data.data();

    std::vector<std::size_t> histogram(V::kKeys, 0);
    for (std::size_t i = 0; i < count; ++i) {
        ++histogram[V::key(d + i * K)];
    }
    unsigned rarest = 0;
    for (unsigned key = 1; key < V::kKeys; ++key) {
        if (histogram[key] < histogram[rarest]) {
            rarest = key;
        }
    }
    V::reportRarest(histogram[rarest], rarest);
    const auto escapeArray = V::escape(rarest);
    const std::uint8_t* escape = escapeArray.data();

    Bytes out;
    out.reserve(data.size() / 2 + 64);
    appendelement<K>(out, escape);
    std::size_t i = 0;
    while (i < count) {
        const std::uint8_t* value = d + i * K;
        std::size_t run = 1;
        while (i + run < count && sameelement<K>(d + (i + run) * K, value)) {
            ++run;
        }
        i += run;
        // Runs longer than the 32-bit count are split into several commands.
        for (; run > kLongCountLimit; run -= kLongCountLimit) {
            appendcommand<K>(out, escape, kLongCountLimit, value);
        }
        const bool isEscape = sameelement<K>(value, escape);
        if (run >= 4) {
            appendcommand<K>(out, escape, run, value);
        } else if (!isEscape) {
            for (std::size_t r = 0; r < run; ++r) {
                appendelement<K>(out, value);
            }
        } else {
            appendelement<K>(out, escape);
            out.push_back(static_cast<std::uint8_t>(run));
            V::reportShortEscape(run);
        }
    }
    return out;
}

// Writes n copies of the element at `value` to `to`.
template <int K>
void fillelements(std::uint8_t* to, const std::uint8_t* value, std::size_t n) {
    if (n == 0) {
        return;  // `to` may be the null data of an empty output
    }
    if constexpr (K == 1) {
        std::memset(to, value[0], n);
    } else {
        std::memcpy(to, value, K);
        std::size_t done = K;
        const std::size_t total = n * K;
        while (done < total) {
            const std::size_t chunk = done < total - done ? done : total - done;
            std::memcpy(to + done, to, chunk);
            done += chunk;
        }
    }
}

// One walk over a stream. The measuring pass only adds up the output size (and stops once it
// passes the limit); the writing pass fills an output of exactly that size and prints the lines,
// so a bomb is refused before anything is allocated.
template <int K, bool Write>
std::size_t walk(ByteView rle, std::size_t limit, std::uint8_t* out) {
    using V = Variant<K>;
    const std::uint8_t* d = rle.data();
    const std::size_t n = rle.size();
    const std::uint8_t* escape = d;
    std::size_t p = K;
    std::size_t size = 0;
    while (p + K <= n) {
        if (!sameelement<K>(d + p, escape)) {
            std::size_t q = p + K;
            if constexpr (K == 1) {
                const void* hit = std::memchr(d + q, escape[0], n - q);
                q = hit ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - d) : n;
            } else {
                // Stops before an escape or a trailing partial element, which is dropped.
                while (q + K <= n && !sameelement<K>(d + q, escape)) {
                    q += K;
                }
            }
            if constexpr (Write) {
                std::memcpy(out + size, d + p, q - p);
            }
            size += q - p;
            p = q;
            if (!Write && size > limit) {
                return size;
            }
            continue;
        }
        if (p + K >= n) {
            break;
        }
        const std::uint8_t command = d[p + K];
        std::size_t at = p + K + 1;
        std::size_t repeat = 0;
        const std::uint8_t* value = escape;
        if (command == 0) {
            if constexpr (Write) {
                logline(std::string(V::kDecoder) + ": Repeat count cannot be zero.");
                if constexpr (K == 3) {
                    // Neighbouring bytes, for finding where a damaged stream went wrong.
                    const std::size_t from = p >= 8 ? p - 8 : 0;
                    const std::size_t to = at + 8 < n ? at + 8 : n;
                    std::string bytes;
                    for (std::size_t i = from; i < to; ++i) {
                        bytes += (i == p ? " [" : " ") + hexdigits(d[i], 2) + (i == at - 1 ? "]" : "");
                    }
                    logline(std::string(V::kDecoder) + ": Bytes at " + std::to_string(from) + ":" + bytes);
                }
            }
            p = at;
            continue;
        }
        if (command >= 242) {
            if constexpr (Write) {
                logline(std::string(V::kDecoder) + ": Illegal command ($" + hexdigits(command, 2) + ")");
            }
            p = at;
            continue;
        }
        if (command <= 3) {
            repeat = command;
            if constexpr (Write) {
                logline(std::string(V::kDecoder) + ": Appending " + std::to_string(command) + " elements.");
            }
        } else {
            std::size_t countBytes = 0;
            if (command == kWordCount) {
                countBytes = 2;
            } else if (command == kLongCount) {
                countBytes = 4;
            }
            if (n - at < countBytes + K) {
                break;  // the command runs past the end: dropped
            }
            if (countBytes == 0) {
                repeat = command;
            } else {
                for (std::size_t i = 0; i < countBytes; ++i) {
                    repeat = (repeat << 8) | d[at + i];
                }
                if constexpr (Write) {
                    if (command == kLongCount) {
                        logline(V::longCountLine());
                    }
                }
            }
            value = d + at + countBytes;
            at += countBytes + K;
        }
        if constexpr (Write) {
            fillelements<K>(out + size, value, repeat);
        }
        size += repeat * K;
        p = at;
        if (!Write && size > limit) {
            return size;
        }
    }
    return size;
}

template <int K>
Bytes decode(ByteView rle, std::size_t limit) {
    if (rle.size() < 4 * K) {
        return {};
    }
    const std::size_t size = walk<K, false>(rle, limit, nullptr);
    if (size > limit) {
        logline(std::string(Variant<K>::kDecoder) + ": Output exceeds the limit of " + std::to_string(limit) +
                " bytes.");
        return {};
    }
    Bytes out(size);
    walk<K, true>(rle, limit, out.data());
    return out;
}

}  // namespace

Bytes binary8torle(ByteView data) {
    return encode<1>(data);
}
Bytes binary16torle(ByteView data) {
    return encode<2>(data);
}
Bytes binary24torle(ByteView data) {
    logline("binary24torle: Size " + std::to_string(data.size()) + " bytes.");
    return encode<3>(data);
}
Bytes binary32torle(ByteView data) {
    return encode<4>(data);
}

Bytes rletobinary8(ByteView rle, std::size_t limit) {
    return decode<1>(rle, limit);
}
Bytes rletobinary16(ByteView rle, std::size_t limit) {
    return decode<2>(rle, limit);
}
Bytes rletobinary24(ByteView rle, std::size_t limit) {
    return decode<3>(rle, limit);
}
Bytes rletobinary32(ByteView rle, std::size_t limit) {
    return decode<4>(rle, limit);
}

}  // namespace zarvik
