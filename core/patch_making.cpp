#include "core/patch_making.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zantor {

namespace {

using Bytes = std::span<const std::uint8_t>;

void CheckEqualLength(Bytes source, Bytes target) {
  if (source.size() != target.size()) {
    throw std::invalid_argument("a patch is made from two buffers of equal length");
  }
}

// ---- Finding the changes ----

std::uint64_t Word(const std::uint8_t* bytes) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The first index from `at` on where the buffers differ, or their length. Most of an
// image is unchanged, so whole blocks of 32 bytes are compared while they are equal.
std::size_t NextDifference(Bytes a, Bytes b, std::size_t at) {
  const std::size_t size = a.size();
  const std::uint8_t* x = a.data();
  const std::uint8_t* y = b.data();
  for (; at + 32 <= size; at += 32) {
    const std::uint64_t any =
        (Word(x + at) ^ Word(y + at)) | (Word(x + at + 8) ^ Word(y + at + 8)) |
        (Word(x + at + 16) ^ Word(y + at + 16)) | (Word(x + at + 24) ^ Word(y + at + 24));
    if (any != 0) break;
  }
  for (; at + 8 <= size; at += 8) {
    if (const std::uint64_t d = Word(x + at) ^ Word(y + at); d != 0) {
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(d) : std::countl_zero(d);
      return at + static_cast<std::size_t>(bit / 8);
    }
  }
  while (at < size && x[at] == y[at]) ++at;
  return at;
}

std::size_t NextEqual(Bytes a, Bytes b, std::size_t at) {
  while (at < a.size() && a[at] != b[at]) ++at;
  return at;
}

// Calls visit(begin, end) for each stretch of changed bytes, in order. An unchanged gap of
// at most `bridge` bytes joins the stretches around it: there it costs less than starting
// a new stretch would.
template <typename Visit>
void ForEachChange(Bytes source, Bytes target, std::size_t bridge, Visit visit) {
  const std::size_t size = source.size();
  std::size_t next = NextDifference(source, target, 0);
  while (next < size) {
    const std::size_t begin = next;
    std::size_t end = 0;
    do {
      end = NextEqual(source, target, next);
      next = NextDifference(source, target, end);
    } while (next < size && next - end <= bridge);
    visit(begin, end);
  }
}

// A patch as it grows, each piece copied in once.
class PatchBuffer {
 public:
  explicit PatchBuffer(std::string_view magic) {
    bytes_.reserve(kFirstRoom);
    Append(magic);
  }

  // Room for count more bytes, to be written at once.
  std::uint8_t* Extend(std::size_t count) {
    const std::size_t used = bytes_.size();
    bytes_.resize(used + count);
    return bytes_.data() + used;
  }
  void Append(std::span<const std::uint8_t> bytes) {
    if (!bytes.empty()) std::memcpy(Extend(bytes.size()), bytes.data(), bytes.size());
  }
  void Append(std::string_view text) { std::memcpy(Extend(text.size()), text.data(), text.size()); }
  void Push(std::uint8_t byte) { bytes_.push_back(byte); }

  Bytes Written() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  // Room for most patches from the start: growing from a small buffer step by step took
  // longer than finding the changes.
  static constexpr std::size_t kFirstRoom = 256 * 1024;
  std::vector<std::uint8_t> bytes_;
};

// ---- IPS ----

constexpr std::size_t kIpsEofOffset = 0x454F46;  // these three offset bytes read "EOF"
constexpr std::size_t kIpsMaxRecord = 0xFFFF;
constexpr std::size_t kIpsAddressable = std::size_t{1} << 24;
constexpr std::size_t kIpsBridge = 4;  // a record header costs 5 bytes
// A run-length record costs 8 bytes, and 5 more when it splits a record of bytes in two.
constexpr std::size_t kIpsMinRun = 14;

class IpsWriter {
 public:
  explicit IpsWriter(Bytes target) : target_(target) {}

  // Writes target[begin, end) as records of bytes, long runs of one value as run-length
  // records.
  void Stretch(std::size_t begin, std::size_t end) {
    std::size_t literal = begin;
    for (std::size_t at = begin; at < end;) {
      std::size_t runEnd = at + 1;
      while (runEnd < end && target_[runEnd] == target_[at]) ++runEnd;
      if (runEnd - at >= kIpsMinRun) {
        Literal(literal, at);
        Run(at, runEnd);
        literal = runEnd;
      }
      at = runEnd;
    }
    Literal(literal, end);
  }

  std::vector<std::uint8_t> Finish() {
    out_.Append("EOF");
    return out_.Take();
  }

 private:
  void Literal(std::size_t begin, std::size_t end) {
    while (begin < end) {
      // Starting one byte earlier rewrites a byte with its own target value.
      if (begin == kIpsEofOffset) --begin;
      const std::size_t count = std::min(end - begin, kIpsMaxRecord);
      std::uint8_t* record = Header(begin, count, count);
      std::memcpy(record, target_.data() + begin, count);
      begin += count;
    }
  }

  void Run(std::size_t begin, std::size_t end) {
    while (begin < end) {
      if (begin == kIpsEofOffset) {
        Literal(begin, begin + 1);
        ++begin;
        continue;
      }
      const std::size_t count = std::min(end - begin, kIpsMaxRecord);
      std::uint8_t* record = Header(begin, 0, 3);
      Number(record, count, 2);
      record[2] = target_[begin];
      begin += count;
    }
  }

  // Writes a record's offset and length; returns the room for the `body` bytes after them.
  std::uint8_t* Header(std::size_t offset, std::size_t length, std::size_t body) {
    std::uint8_t* record = out_.Extend(5 + body);
    Number(record, offset, 3);
    Number(record + 3, length, 2);
    return record + 5;
  }

  // Big-endian, as IPS stores every number.
  static void Number(std::uint8_t* at, std::size_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      at[i] = static_cast<std::uint8_t>(value >> (8 * (bytes - 1 - i)));
    }
  }

  Bytes target_;
  PatchBuffer out_{"PATCH"};
};

// ---- BPS ----

enum BpsAction : std::uint64_t { kSourceRead = 0, kTargetRead = 1 };
constexpr std::size_t kBpsBridge = 1;  // a source read and a new target read cost 2 bytes

// A number in seven-bit groups, lowest first; the last group carries the top bit, and
// every group before it stands for one more than its bits, so each number has one form.
void AppendBpsNumber(PatchBuffer& out, std::uint64_t value) {
  while (true) {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      out.Push(static_cast<std::uint8_t>(0x80 | low));
      return;
    }
    out.Push(low);
    --value;
  }
}

void AppendBpsAction(PatchBuffer& out, BpsAction action, std::size_t length) {
  AppendBpsNumber(out, ((static_cast<std::uint64_t>(length) - 1) << 2) | action);
}

void AppendCrc32(PatchBuffer& out, Bytes bytes) {
  const uLong crc = crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size());
  std::uint8_t* at = out.Extend(4);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

}  // namespace

std::optional<PatchFormat> PatchFormatOf(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".ips") return PatchFormat::Ips;
  if (extension == ".bps") return PatchFormat::Bps;
  return std::nullopt;
}

std::vector<std::uint8_t> MakeIpsPatch(Bytes source, Bytes target) {
  CheckEqualLength(source, target);
  if (source.size() > kIpsAddressable) {
    throw std::length_error("an IPS patch addresses at most 16 MiB");
  }
  IpsWriter writer(target);
  ForEachChange(source, target, kIpsBridge,
                [&writer](std::size_t begin, std::size_t end) { writer.Stretch(begin, end); });
  return writer.Finish();
}

std::vector<std::uint8_t> MakeBpsPatch(Bytes source, Bytes target) {
  CheckEqualLength(source, target);
  PatchBuffer out("BPS1");
  AppendBpsNumber(out, source.size());
  AppendBpsNumber(out, target.size());
  AppendBpsNumber(out, 0);  // no metadata
  std::size_t done = 0;
  ForEachChange(source, target, kBpsBridge, [&](std::size_t begin, std::size_t end) {
    if (begin > done) AppendBpsAction(out, kSourceRead, begin - done);
    AppendBpsAction(out, kTargetRead, end - begin);
    out.Append(target.subspan(begin, end - begin));
    done = end;
  });
  if (done < target.size()) AppendBpsAction(out, kSourceRead, target.size() - done);
  AppendCrc32(out, source);
  AppendCrc32(out, target);
  AppendCrc32(out, out.Written());
  return out.Take();
}

std::vector<std::uint8_t> MakePatch(PatchFormat format, Bytes source, Bytes target) {
  return format == PatchFormat::Ips ? MakeIpsPatch(source, target) : MakeBpsPatch(source, target);
}

}  // namespace zantor
