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

// The first index from `at` on where the buffers differ, or their length. Eight bytes at a
// time: most of an image is unchanged.
std::size_t NextDifference(Bytes a, Bytes b, std::size_t at) {
  const std::size_t size = a.size();
  for (; at + 8 <= size; at += 8) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a.data() + at, 8);
    std::memcpy(&y, b.data() + at, 8);
    if (const std::uint64_t d = x ^ y; d != 0) {
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(d) : std::countl_zero(d);
      return at + static_cast<std::size_t>(bit / 8);
    }
  }
  while (at < size && a[at] == b[at]) ++at;
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

void AppendText(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

// ---- IPS ----

constexpr std::size_t kIpsEofOffset = 0x454F46;  // these three offset bytes read "EOF"
constexpr std::size_t kIpsMaxRecord = 0xFFFF;
constexpr std::size_t kIpsAddressable = std::size_t{1} << 24;
constexpr std::size_t kIpsBridge = 4;  // a record header costs 5 bytes
// A run-length record costs 8 bytes, and 5 more when it splits a record of bytes in two.
constexpr std::size_t kIpsMinRun = 14;

class IpsWriter {
 public:
  explicit IpsWriter(Bytes target) : target_(target) { AppendText(out_, "PATCH"); }

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
    AppendText(out_, "EOF");
    return std::move(out_);
  }

 private:
  void Literal(std::size_t begin, std::size_t end) {
    while (begin < end) {
      // Starting one byte earlier rewrites a byte with its own target value.
      if (begin == kIpsEofOffset) --begin;
      const std::size_t count = std::min(end - begin, kIpsMaxRecord);
      Header(begin, count);
      const auto from = target_.begin() + static_cast<std::ptrdiff_t>(begin);
      out_.insert(out_.end(), from, from + static_cast<std::ptrdiff_t>(count));
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
      Header(begin, 0);
      Number(count, 2);
      out_.push_back(target_[begin]);
      begin += count;
    }
  }

  void Header(std::size_t offset, std::size_t count) {
    Number(offset, 3);
    Number(count, 2);
  }

  // Big-endian, as IPS stores every number.
  void Number(std::size_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
      out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }

  Bytes target_;
  std::vector<std::uint8_t> out_;
};

// ---- BPS ----

enum BpsAction : std::uint64_t { kSourceRead = 0, kTargetRead = 1 };
constexpr std::size_t kBpsBridge = 1;  // a source read and a new target read cost 2 bytes

// A number in seven-bit groups, lowest first; the last group carries the top bit, and
// every group before it stands for one more than its bits, so each number has one form.
void AppendBpsNumber(std::vector<std::uint8_t>& out, std::uint64_t value) {
  while (true) {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      out.push_back(static_cast<std::uint8_t>(0x80 | low));
      return;
    }
    out.push_back(low);
    --value;
  }
}

void AppendBpsAction(std::vector<std::uint8_t>& out, BpsAction action, std::size_t length) {
  AppendBpsNumber(out, ((static_cast<std::uint64_t>(length) - 1) << 2) | action);
}

void AppendCrc32(std::vector<std::uint8_t>& out, Bytes bytes) {
  const uLong crc = crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
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
  std::vector<std::uint8_t> out;
  AppendText(out, "BPS1");
  AppendBpsNumber(out, source.size());
  AppendBpsNumber(out, target.size());
  AppendBpsNumber(out, 0);  // no metadata
  std::size_t done = 0;
  ForEachChange(source, target, kBpsBridge, [&](std::size_t begin, std::size_t end) {
    if (begin > done) AppendBpsAction(out, kSourceRead, begin - done);
    AppendBpsAction(out, kTargetRead, end - begin);
    out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(begin),
               target.begin() + static_cast<std::ptrdiff_t>(end));
    done = end;
  });
  if (done < target.size()) AppendBpsAction(out, kSourceRead, target.size() - done);
  AppendCrc32(out, source);
  AppendCrc32(out, target);
  AppendCrc32(out, out);
  return out;
}

std::vector<std::uint8_t> MakePatch(PatchFormat format, Bytes source, Bytes target) {
  return format == PatchFormat::Ips ? MakeIpsPatch(source, target) : MakeBpsPatch(source, target);
}

}  // namespace zantor
