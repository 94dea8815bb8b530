#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zantor {

enum class PatchFormat { Ips, Bps };

// The format a patch file's name asks for by its extension (.ips or .bps, in any case).
std::optional<PatchFormat> PatchFormatOf(const std::filesystem::path& file);

// The patch that turns source into target, two buffers of equal length (else
// std::invalid_argument).
// IPS: records of changed bytes, a run of one value as a run-length record; no record ever
// starts at the offset that reads as "EOF". Only buffers of up to 16 MiB can be addressed
// (else std::length_error).
std::vector<std::uint8_t> MakeIpsPatch(std::span<const std::uint8_t> source,
                                       std::span<const std::uint8_t> target);
// BPS: source reads for unchanged runs, target reads for changed ones, no metadata, and the
// CRC-32 of source, target and the patch itself.
std::vector<std::uint8_t> MakeBpsPatch(std::span<const std::uint8_t> source,
                                       std::span<const std::uint8_t> target);
std::vector<std::uint8_t> MakePatch(PatchFormat format, std::span<const std::uint8_t> source,
                                    std::span<const std::uint8_t> target);

}  // namespace zantor
