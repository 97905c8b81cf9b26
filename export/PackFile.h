#pragma once
// Writer of the editor's resource packs: a plain sequence of entries, each
// {unpacked length u32 LE, stored length u32 LE, data}. Data is stored as is when both
// lengths are equal, otherwise it is a JCALG1 stream.
#include <cstdint>
#include <string>
#include <vector>

#include "export/jcalg1/Jcalg1.h"

namespace quellor {

constexpr size_t kPackEntryHeaderSize = 8;

// Appends one entry, compressed only when the stream is strictly shorter than the data
// (equal lengths would read back as stored data). False for data of 4 GiB or more.
bool AppendPackEntry(std::vector<uint8_t>& pack, const std::vector<uint8_t>& data,
                     const Jcalg1Options& options = {});

std::vector<uint8_t> BuildPack(const std::vector<std::vector<uint8_t>>& entries,
                               const Jcalg1Options& options = {});

// Writes through a temporary file so that a failed write never leaves half a pack.
bool WritePackFile(const std::string& path, const std::vector<std::vector<uint8_t>>& entries,
                   const Jcalg1Options& options = {});

}  // namespace quellor
